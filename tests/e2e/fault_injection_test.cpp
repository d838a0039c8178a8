// Every WebView2 call the host makes while starting, as a clean start records them, fails once in
// turn. A failure inside the web view's creation must show the WebView2 failure dialog with the
// injected error and then end with exit code 0; a failure the host ignores must leave the program
// running until it is closed. Never a crash and never a hang: every wait has a watchdog.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <regex>

#include "app/failure_text.h"
#include "support/text.h"
#include "tests/e2e/corvane_run.h"

namespace corvane {
namespace {

using testing_support::CorvaneRun;

constexpr DWORD kWatchdogMs = 20000;

struct InjectedCall {
  std::string name;
  long nth;            // which call of that name fails, from 1
  bool ends_creation;  // the dialog is the right answer
};

// "Interface.Method(arguments) = 0x........" is a call the host made; other lines are the runtime's own.
std::optional<std::string> call_name(const std::string& line) {
  static const std::regex call(R"(^([A-Za-z0-9_]+(\.[A-Za-z0-9_]+)?)\(.*\) = 0x[0-9A-F]{8}$)");
  std::smatch match;
  if (!std::regex_match(line, match, call)) return std::nullopt;
  return match[1].str();
}

// The calls of a clean start, until the start page's navigation has been decided. The creation ends
// with the first bounds; of its calls only the focus move may fail without ending it.
std::vector<InjectedCall> calls_of_a_clean_start() {
  CorvaneRun run;
  if (!run.wait_until_started()) return {};
  const auto log = run.log();
  run.close_and_wait();
  std::vector<InjectedCall> calls;
  std::map<std::string, long> seen;
  bool creating = true;
  for (const auto& line : log) {
    const auto name = call_name(line);
    if (!name) continue;
    calls.push_back({*name, ++seen[*name], creating && *name != "ICoreWebView2Controller.MoveFocus"});
    if (*name == "ICoreWebView2Controller.put_Bounds") creating = false;
  }
  return calls;
}

std::string describe(const InjectedCall& call) {
  return call.name + " #" + std::to_string(call.nth);
}

// What the host still holds when the process ends after a failed creation: nothing, or the controller
// that the parent's subclass keeps until the window goes (and, through the web view's handlers, the
// environment).
std::vector<std::string> held_after_failure(const InjectedCall& call) {
  if (call.name != "ICoreWebView2Controller.put_IsVisible") return {};
  return {"live Environment host=1 internal=0", "live Controller host=1 internal=0",
          "live WebView host=0 internal=1", "live Settings host=0 internal=1"};
}

void expect_dialog_then_exit(CorvaneRun& run, const InjectedCall& call, const std::string& description) {
  const auto text = testing_support::wait_for_error_box(run.program().id(), kWatchdogMs);
  ASSERT_TRUE(text) << "no dialog";
  const WebView2Failure failure{WebView2Failure::SystemError{E_FAIL, description}};
  EXPECT_EQ(to_utf8(*text), webview_failure_text(WebViewError{failure}));
  testing_support::dismiss_error_box(run.program().id());
  EXPECT_EQ(run.program().wait_for_exit(kWatchdogMs), 0u) << "no exit after the dialog";
  EXPECT_EQ(run.log_starting_with("live "), held_after_failure(call)) << "what the host took is released";
}

void expect_running_then_exit(CorvaneRun& run, const InjectedCall& call) {
  ASSERT_NE(run.program().wait_for_main_window(kWatchdogMs), nullptr) << "no window";
  const bool failed = [&] {
    for (DWORD waited = 0; waited < kWatchdogMs; waited += 50) {
      for (const auto& line : run.log_starting_with(call.name + "(")) {
        if (line.ends_with(" = 0x80004005")) return true;
      }
      Sleep(50);
    }
    return false;
  }();
  ASSERT_TRUE(failed) << "the failing call never came";
  // The start page's navigation is decided all the same; a URL that could not be read is never let in.
  const std::string outcome = "event NavigationStarting https://app.corvane.io/#/pos ";
  const bool unread = call.name == "ICoreWebView2NavigationStartingEventArgs.get_Uri";
  EXPECT_TRUE(run.wait_for_log(outcome + (unread ? "cancelled" : "allowed"), kWatchdogMs));
  EXPECT_TRUE(testing_support::visible_windows(run.program().id(), L"#32770", L"Corvane").empty())
      << "a dialog for an ignored failure";
  EXPECT_EQ(run.close_and_wait(), 0u) << "no clean exit";
  EXPECT_EQ(
      run.log_starting_with("live "),
      (std::vector<std::string>{"live Environment host=2 internal=0", "live Controller host=2 internal=0",
                                "live WebView host=1 internal=1", "live Settings host=0 internal=1"}));
}

TEST(FaultInjection, EveryStartCallFailingOnceEndsAsDesigned) {
  const testing_support::UrlRecorder recorder;
  const auto calls = calls_of_a_clean_start();
  const auto recorded = [&](const char* name) {
    return std::any_of(calls.begin(), calls.end(),
                       [&](const InjectedCall& call) { return call.name == name; });
  };
  ASSERT_TRUE(recorded("CreateCoreWebView2EnvironmentWithOptions") &&
              recorded("ICoreWebView2NavigationStartingEventArgs.put_Cancel"))
      << "the clean start was not recorded";
  size_t dialogs = 0;
  for (const auto& call : calls) {
    SCOPED_TRACE(describe(call));
    const std::string description = "injected into " + describe(call);
    CorvaneRun run("fail-once " + call.name + " " + std::to_string(call.nth) + " 0x80004005 " + description +
                   "\n");
    if (call.ends_creation) {
      expect_dialog_then_exit(run, call, description);
      ++dialogs;
    } else {
      expect_running_then_exit(run, call);
    }
  }
  testing_support::report_figure("fault injection: " + std::to_string(calls.size()) +
                                 " calls failed in turn, " + std::to_string(dialogs) +
                                 " ended the creation with the dialog");
}

}  // namespace
}  // namespace corvane
