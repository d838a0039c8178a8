// The WebView2 test runtime against a tiny host of the tests: does it push back as the real one does?
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/text.h"
#include "tests/common/child_process.h"

namespace corvane {
namespace {

using testing_support::ChildResult;
using Lines = std::vector<std::string>;

class TestRuntime : public testing::Test {
 protected:
  // Runs the tiny host with the given script; the runtime's log is then in log_.
  ChildResult host(const std::string& script = "", const std::string& misbehaviour = "") {
    const std::wstring folder = temporary_folder();
    const std::wstring log = folder + L"runtime.log", script_path = folder + L"runtime.script";
    DeleteFileW(log.c_str());
    std::ofstream(std::filesystem::path(script_path)) << script;
    ChildResult result = testing_support::run_scenario(
        "runtime_host", misbehaviour, 30000,
        {L"CORVANE_WEBVIEW2_LOG=" + log, L"CORVANE_WEBVIEW2_SCRIPT=" + script_path});
    EXPECT_FALSE(result.timed_out);
    std::ifstream in{std::filesystem::path(log)};
    log_.clear();
    for (std::string line; std::getline(in, line);) log_.push_back(line);
    return result;
  }

  static std::wstring temporary_folder() {
    wchar_t path[MAX_PATH];
    GetTempPathW(MAX_PATH, path);
    return std::wstring(path) + L"corvane-runtime-test-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
  }
  void SetUp() override { CreateDirectoryW(temporary_folder().c_str(), nullptr); }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(temporary_folder(), ignored);
  }

  bool logged(const std::string& line) const {
    return std::find(log_.begin(), log_.end(), line) != log_.end();
  }
  // The position of the first log line starting with the text, or -1.
  long position(const std::string& start) const {
    for (size_t i = 0; i < log_.size(); ++i) {
      if (log_[i].starts_with(start)) return static_cast<long>(i);
    }
    return -1;
  }
  static bool printed(const ChildResult& r, const std::string& line) {
    const Lines lines = r.lines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }

  Lines log_;
};

TEST_F(TestRuntime, CompletesCreationsOnlyAfterTheCallReturnedAndAMessageWasDispatched) {
  const ChildResult r = host();
  const Lines lines = r.lines();
  ASSERT_GE(lines.size(), 2u) << r.err;
  EXPECT_EQ(lines[0], "create returned 0x00000000 before the completion");
  EXPECT_EQ(lines[1], "environment completed 0x00000000 with an environment");
  EXPECT_TRUE(printed(r, "environment completed after its delay"));
  EXPECT_TRUE(printed(r, "controller completed 0x00000000"));
  EXPECT_TRUE(printed(r, "source right after Navigate: about:blank")) << "navigations start later";
  EXPECT_TRUE(printed(r, "source: https://start.example/"));
}

TEST_F(TestRuntime, ReadsTheOptionsAndLogsTheCallsInOrder) {
  host();
  const std::vector<std::string> in_order = {
      "option AdditionalBrowserArguments = \"--tiny\" 0x00000000",
      "option Language = null 0x00000000",
      "option interface Options2 missing 0x80004002",
      "CreateCoreWebView2EnvironmentWithOptions(null, \"C:\\tiny-profile\", options, handler) = 0x00000000",
      "completion environment handler returned 0x00000000",
      "ICoreWebView2Environment.CreateCoreWebView2Controller(container, handler) = 0x00000000",
      "ICoreWebView2Controller.get_CoreWebView2() = 0x00000000",
      "ICoreWebView2.get_Settings() = 0x00000000",
      "ICoreWebView2.add_NavigationStarting(handler) = 0x00000000",
      "ICoreWebView2.add_NewWindowRequested(handler) = 0x00000000",
      "ICoreWebView2.add_DownloadStarting(handler) = 0x00000000",
      "ICoreWebView2.add_WindowCloseRequested(handler) = 0x00000000",
      "ICoreWebView2.Navigate(\"https://start.example/\") = 0x00000000",
      "event NavigationStarting https://start.example/ allowed"};
  long previous = -1;
  for (const std::string& line : in_order) {
    const long at = position(line);
    EXPECT_GT(at, previous) << line;
    previous = at;
  }
}

TEST_F(TestRuntime, RaisesPageEventsLaterFromItsOwnMessages) {
  const ChildResult r = host();
  for (const auto& line : r.lines()) {
    EXPECT_FALSE(line.ends_with(" raised its events inside the call")) << line;
  }
  EXPECT_TRUE(printed(r, "link https://deny.example/ returned before its events"));
  EXPECT_TRUE(printed(r, "navigation https://deny.example/"));
}

TEST_F(TestRuntime, EventsHonourCancelHandledAndTheDeferral) {
  const ChildResult r = host();
  EXPECT_TRUE(logged("event NavigationStarting https://deny.example/ cancelled"));
  EXPECT_TRUE(logged("event NavigationStarting https://allowed.example/2 allowed"));
  EXPECT_TRUE(logged("page https://allowed.example/2"));
  EXPECT_FALSE(logged("page https://deny.example/")) << "a cancelled navigation leaves the page";

  // The request stays open until the deferral completes, from a later message.
  const long handler_done = position("event NewWindowRequested https://deny.example/popup handler returned");
  const long decided = position("event NewWindowRequested https://deny.example/popup handled=TRUE");
  EXPECT_GT(decided, handler_done);
  EXPECT_EQ(position("popup opened https://deny.example/popup"), -1);
  EXPECT_TRUE(logged("event NewWindowRequested https://allowed.example/popup handled=FALSE new_window=none"));
  EXPECT_TRUE(logged("popup opened https://allowed.example/popup"));

  EXPECT_TRUE(
      logged("event DownloadStarting https://files.example/report.pdf "
             "path=C:\\users\\Public\\report.pdf.renamed handled=TRUE cancel=FALSE saved=yes"));
  EXPECT_TRUE(printed(r, "close requested"));
}

TEST_F(TestRuntime, AScriptedFailureFailsExactlyTheChosenCall) {
  const ChildResult r = host("fail ICoreWebView2.add_NewWindowRequested 0x80004005 no new windows today\n");
  EXPECT_TRUE(printed(r, "add_NavigationStarting 0x00000000"));
  EXPECT_TRUE(printed(r, "add_NewWindowRequested 0x80004005 \"no new windows today\""));
  EXPECT_TRUE(printed(r, "add_DownloadStarting 0x00000000"));
  EXPECT_TRUE(printed(r, "Navigate 0x00000000"));
}

struct CreationCase {
  const char* name;
  std::string script;
  Lines first_lines;
};

class ScriptedCreation : public TestRuntime, public testing::WithParamInterface<CreationCase> {};

TEST_P(ScriptedCreation, FailsOrCompletesAsScripted) {
  const ChildResult r = host(GetParam().script);
  Lines lines = r.lines();
  lines.resize(std::min(lines.size(), GetParam().first_lines.size()));
  EXPECT_EQ(lines, GetParam().first_lines);
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, ScriptedCreation,
    testing::Values(CreationCase{"loader_fails",
                                 "fail CreateCoreWebView2EnvironmentWithOptions 0x80070002\n",
                                 {"create returned 0x80070002 before the completion"}},
                    CreationCase{"completion_fails",
                                 "environment-completion 0x80070005\n",
                                 {"create returned 0x00000000 before the completion",
                                  "environment completed 0x80070005 without an environment"}},
                    CreationCase{"completion_without_result",
                                 "environment-completion null\n",
                                 {"create returned 0x00000000 before the completion",
                                  "environment completed 0x00000000 without an environment"}},
                    CreationCase{
                        "controller_fails",
                        "controller-completion 0x8007000E\n",
                        {"create returned 0x00000000 before the completion",
                         "environment completed 0x00000000 with an environment",
                         "environment completed after its delay", "CreateCoreWebView2Controller 0x00000000",
                         "controller completed 0x8007000E"}},
                    CreationCase{"never_completes",
                                 "environment-delay never\n",
                                 {"create returned 0x00000000 before the completion", "no completion"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TestRuntime, CanLackTheOptionalInterfaces) {
  const ChildResult r = host("lack ICoreWebView2_4\n");
  EXPECT_TRUE(printed(r, "QueryInterface ICoreWebView2_4 0x80004002"));
  EXPECT_TRUE(printed(r, "add_NavigationStarting 0x00000000"));
}

TEST_F(TestRuntime, HandsOverUrlsInCanonicalFormAndFollowsRedirects) {
  const ChildResult r = host(
      "redirect https://r.example/a https://r.example/b\nredirect https://r.example/b "
      "https://deny.example/c\n");
  for (const char* seen :
       {"navigation https://allowed.example/ab", "navigation http://allowed.example/c/d?e\\f",
        "navigation https://r.example/a", "navigation https://r.example/b redirected",
        "navigation https://deny.example/c redirected"}) {
    EXPECT_TRUE(printed(r, seen)) << seen;
  }
  EXPECT_TRUE(logged("event NavigationStarting https://deny.example/c redirected cancelled"));
  EXPECT_FALSE(logged("page https://r.example/b")) << "a cancelled hop ends the whole chain";
  EXPECT_TRUE(printed(r, "source: http://allowed.example/c/d?e\\f"));
}

TEST_F(TestRuntime, StartsFromTheRealRuntimesSettings) {
  EXPECT_TRUE(printed(host(), "defaults: scripts on, non-client regions off"));
}

TEST_F(TestRuntime, ClosesTheControllerWhenItsParentWindowGoes) {
  const ChildResult r = host("", "destroy-parent");
  EXPECT_TRUE(logged("controller closed: its parent window was destroyed"));
  EXPECT_TRUE(printed(r, "put_Bounds after the parent went 0x8007139F"));
}

struct ContractCase {
  const char* name;
  const char* misbehaviour;
  std::string printed;  // what the host saw, if anything in particular
  std::string contract;
};

class HostContract : public TestRuntime, public testing::WithParamInterface<ContractCase> {};

// The runtime refuses and counts what the real one would not take, and says so at the end.
TEST_P(HostContract, IsStatedAtTheEndOfTheProcess) {
  const ChildResult r = host("", GetParam().misbehaviour);
  if (!GetParam().printed.empty()) {
    EXPECT_TRUE(printed(r, GetParam().printed)) << r.out;
  }
  ASSERT_FALSE(log_.empty());
  EXPECT_EQ(log_.back(), GetParam().contract);
}

INSTANTIATE_TEST_SUITE_P(
    Hosts, HostContract,
    testing::Values(
        ContractCase{"kept", "", "", "runtime contract: 0 thread violations, 0 strings not freed"},
        ContractCase{"multithreaded_apartment", "mta", "create returned 0x80010106 before the completion",
                     "runtime contract: 1 thread violations, 0 strings not freed"},
        ContractCase{"call_from_another_thread", "other-thread",
                     "get_Settings from another thread 0x8001010E",
                     "runtime contract: 1 thread violations, 0 strings not freed"},
        ContractCase{"string_kept", "keep-string", "",
                     "runtime contract: 0 thread violations, 1 strings not freed"},
        ContractCase{"strings_freed_the_wrong_way", "local-free", "",
                     "runtime contract: 0 thread violations, 10 strings not freed"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TestRuntime, CountsWhatTheHostHolds) {
  host();
  // The host kept the controller and the environment and released the rest.
  EXPECT_TRUE(logged("live Environment host=1 internal=0"));
  EXPECT_TRUE(logged("live Controller host=1 internal=0"));
  EXPECT_TRUE(logged("live WebView host=0 internal=1"));
  EXPECT_TRUE(logged("live Settings host=0 internal=1"));
  EXPECT_EQ(position("live NavigationStartingEventArgs"), -1);
  EXPECT_EQ(position("live NewWindowRequestedEventArgs"), -1);
  EXPECT_EQ(position("live Deferral"), -1);
}

}  // namespace
}  // namespace corvane
