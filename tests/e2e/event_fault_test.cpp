// A running session's page events, with every call the event adapters make failing once in turn, as a
// clean session records them, and with the runtime handing out NULL where it may. Each time Corvane
// keeps running and decides safely (what it could not read is never let through), leaks nothing,
// and still closes with exit code 0.
#include <gtest/gtest.h>

#include <map>
#include <regex>

#include "support/text.h"
#include "tests/e2e/corvane_run.h"

namespace corvane {
namespace {

using testing_support::CorvaneRun;
using Lines = std::vector<std::string>;

constexpr DWORD kWatchdogMs = 20000;

// An allowed and a refused navigation, an allowed window with every feature and a refused one, and a
// download. The refused URLs have a scheme the shell is not given, so no hand-off runs meanwhile.
void play_the_session(CorvaneRun& run) {
  for (const std::string& command : std::vector<std::string>{
           "link https://app.corvane.io/#/sale", "link ftp://files.example.com/",
           "open about:blank size 300 200 position 10 20", "open ftp://files.example.com/x",
           "download https://app.corvane.io/export " + to_utf8(run.folder()) + "report.pdf"}) {
    run.command(to_utf16(command));
  }
}

// The line that says how an event ended.
std::optional<std::string> outcome_of(const Lines& log, const std::string& event) {
  for (auto line = log.rbegin(); line != log.rend(); ++line) {
    if (line->starts_with(event + " ") && !line->starts_with(event + " handler returned")) return *line;
  }
  return std::nullopt;
}

struct EventCall {
  std::string name;
  long nth;           // which call of that name fails, counted from the process's start
  std::string event;  // "event <Kind> <url>", the event the call served
};

std::string describe(const EventCall& call) {
  return call.name + " #" + std::to_string(call.nth) + " (" + call.event + ")";
}

// "Interface.Method(arguments) = 0x........" lines are the host's calls; each serves the event the next
// "event" line names.
std::vector<EventCall> calls_of(const Lines& log, size_t from) {
  static const std::regex call(R"(^([A-Za-z0-9_]+\.[A-Za-z0-9_]+)\(.*\) = 0x[0-9A-F]{8}$)");
  static const std::regex event(R"(^(event [A-Za-z]+ \S+) .*$)");
  std::map<std::string, long> seen;
  std::vector<EventCall> calls;
  for (size_t i = 0; i < log.size(); ++i) {
    std::smatch match;
    if (!std::regex_match(log[i], match, call)) continue;
    const long nth = ++seen[match[1].str()];
    if (i < from) continue;
    for (size_t j = i + 1; j < log.size(); ++j) {
      std::smatch served;
      if (std::regex_match(log[j], served, event)) {
        calls.push_back({match[1].str(), nth, served[1].str()});
        break;
      }
    }
  }
  return calls;
}

std::vector<EventCall> calls_of_a_clean_session() {
  CorvaneRun run;
  if (!run.wait_until_started()) return {};
  const size_t started = run.log().size();
  play_the_session(run);
  if (!run.wait_until_settled()) return {};
  const Lines log = run.log();
  run.close_and_wait();
  return calls_of(log, started);
}

// The reads a decision rests on: when one fails, the event must end refused.
const std::map<std::string, std::string> kRefusedWhenUnread = {
    {"ICoreWebView2NavigationStartingEventArgs.get_Uri", " cancelled"},
    {"ICoreWebView2NewWindowRequestedEventArgs.get_Uri", " handled=TRUE"},
    {"ICoreWebView2NewWindowRequestedEventArgs.GetDeferral", " handled=TRUE"},
    {"ICoreWebView2DownloadStartingEventArgs.get_DownloadOperation", " cancel=TRUE"},
    {"ICoreWebView2DownloadOperation.get_Uri", " cancel=TRUE"},
    {"ICoreWebView2DownloadStartingEventArgs.get_ResultFilePath", " cancel=TRUE"},
};

// Runs the session with the fault, then holds Corvane to what the fault allows.
void expect_safe_session(const std::string& script, const std::vector<EventCall>& refused) {
  CorvaneRun run(script);
  ASSERT_TRUE(run.wait_until_started());
  play_the_session(run);
  ASSERT_TRUE(run.wait_until_settled(kWatchdogMs));
  const Lines log = run.log();
  for (const EventCall& call : refused) {
    const auto outcome = outcome_of(log, call.event);
    ASSERT_TRUE(outcome) << call.event << " never ended";
    const std::string& refusal = kRefusedWhenUnread.at(call.name);
    EXPECT_NE(outcome->find(refusal), std::string::npos) << *outcome;
  }
  EXPECT_TRUE(IsWindow(run.main_window())) << "Corvane is gone";
  ASSERT_EQ(run.close_and_wait(), 0u) << "no clean exit";
  EXPECT_EQ(run.log_starting_with("live "),
            (Lines{"live Environment host=2 internal=0", "live Controller host=2 internal=0",
                   "live WebView host=1 internal=1", "live Settings host=0 internal=1"}))
      << "the session's events left something held";
}

TEST(EventFaults, EveryCallOfTheEventAdaptersFailingOnceIsSurvivedSafely) {
  const auto calls = calls_of_a_clean_session();
  ASSERT_GE(calls.size(), 20u) << "the clean session was not recorded";
  size_t refusals = 0;
  for (const EventCall& call : calls) {
    SCOPED_TRACE(describe(call));
    const bool unread = kRefusedWhenUnread.count(call.name) > 0;
    refusals += unread;
    expect_safe_session("fail-once " + call.name + " " + std::to_string(call.nth) + " 0x80004005 injected\n",
                        unread ? std::vector<EventCall>{call} : std::vector<EventCall>{});
  }
  testing_support::report_figure("event faults: " + std::to_string(calls.size()) + " calls failed in turn, " +
                                 std::to_string(refusals) + " of them reads that had to end in a refusal");
}

struct WithheldResult {
  const char* name;
  std::string script;
  std::vector<EventCall> refused;
};

class EventResultsWithheld : public testing::TestWithParam<WithheldResult> {};

// The runtime answers S_OK without the object, or two calls fail at once.
TEST_P(EventResultsWithheld, AreSurvivedSafely) {
  expect_safe_session(GetParam().script, GetParam().refused);
}

const EventCall kDownload{"ICoreWebView2DownloadStartingEventArgs.get_DownloadOperation", 0,
                          "event DownloadStarting https://app.corvane.io/export"};

INSTANTIATE_TEST_SUITE_P(
    Cases, EventResultsWithheld,
    testing::Values(
        WithheldResult{"no_download_operation",
                       "null ICoreWebView2DownloadStartingEventArgs.get_DownloadOperation\n",
                       {kDownload}},
        WithheldResult{"no_deferral",
                       "null ICoreWebView2NewWindowRequestedEventArgs.GetDeferral\n",
                       {{"ICoreWebView2NewWindowRequestedEventArgs.GetDeferral", 0,
                         "event NewWindowRequested about:blank"},
                        {"ICoreWebView2NewWindowRequestedEventArgs.GetDeferral", 0,
                         "event NewWindowRequested ftp://files.example.com/x"}}},
        WithheldResult{
            "no_window_features", "null ICoreWebView2NewWindowRequestedEventArgs.get_WindowFeatures\n", {}},
        // The refusal itself fails: the runtime then does as it would without a host.
        WithheldResult{"unreadable_path_and_no_cancel",
                       "fail ICoreWebView2DownloadStartingEventArgs.get_ResultFilePath 0x80004005\n"
                       "fail ICoreWebView2DownloadStartingEventArgs.put_Cancel 0x80004005\n",
                       {}},
        WithheldResult{"unreadable_url_and_no_cancel",
                       "fail-once ICoreWebView2NavigationStartingEventArgs.get_Uri 2 0x80004005\n"
                       "fail-once ICoreWebView2NavigationStartingEventArgs.put_Cancel 2 0x80004005\n",
                       {}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace corvane
