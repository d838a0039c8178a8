// Another program on the desktop posts Corvane's own messages with values of its own. Registered
// message ids are the same for every process, so Corvane must act only on what it posted itself.
#include <gtest/gtest.h>

#include "support/text.h"
#include "tests/common/paths.h"
#include "tests/e2e/corvane_run.h"

namespace corvane {
namespace {

using testing_support::CorvaneRun;

// Runs the foreign program against the Corvane, posting to target.
void post_foreign(CorvaneRun& run, const char* target, const char* message, const char* values = "") {
  const std::wstring command = L"\"" + testing_support::beside_this_program(L"foreign_poster.exe") + L"\" " +
                               std::to_wstring(run.program().id()) + L" " + to_utf16(target) + L" " +
                               to_utf16(message) + (*values ? L" " + to_utf16(values) : L"");
  const auto posted = testing_support::run_child(command, 10000);
  ASSERT_EQ(posted.exit_code, 0u) << posted.err;
}

struct ForeignMessage {
  const char* name;
  const char* target;
  const char* message;
};

class ForeignMessages : public testing::TestWithParam<ForeignMessage> {};

TEST_P(ForeignMessages, LeaveCorvaneWorkingAndItStillClosesWithZero) {
  CorvaneRun run;
  ASSERT_TRUE(run.wait_until_started());
  post_foreign(run, GetParam().target, GetParam().message);
  run.command(L"link https://app.corvane.io/#/after");
  EXPECT_TRUE(run.wait_for_log("event NavigationStarting https://app.corvane.io/#/after allowed"));
  // The window is still there, and the web view still follows it.
  ShowWindow(run.main_window(), SW_RESTORE);
  EXPECT_TRUE(run.wait_for_log("ICoreWebView2Controller.put_Bounds(0,0,1280,820) = 0x00000000"));
  EXPECT_EQ(run.close_and_wait(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Posted, ForeignMessages,
    testing::Values(ForeignMessage{"closure_for_the_loop_thread", "thread-target", "Corvane::ExecMsg"},
                    ForeignMessage{"closure_for_the_container", "container", "Corvane::WebViewExecMsg"},
                    ForeignMessage{"wake_up_with_nothing_queued", "thread-target", "Corvane::WakeupMsg"},
                    ForeignMessage{"deadline_for_the_wait_thread", "threads", "Corvane::WaitUntil"},
                    ForeignMessage{"new_events_while_running", "thread-target", "Corvane::ProcessNewEvents"},
                    ForeignMessage{"destroy_request", "main", "Corvane::DestroyMsg"},
                    ForeignMessage{"parent_subclass_detach", "main", "0x465"},
                    ForeignMessage{"device_change_of_no_kind", "thread-target", "0xFE"},
                    ForeignMessage{"dpi_change_without_a_rectangle", "main", "0x2E0"},
                    // WM_DESTROY and WM_NCDESTROY have no parameters: the window must not take them
                    // for its own destruction.
                    ForeignMessage{"destroy_for_the_main_window", "main", "0x2"},
                    ForeignMessage{"nc_destroy_for_the_main_window", "main", "0x82"},
                    ForeignMessage{"destroy_for_the_thread_target", "thread-target", "0x2"},
                    ForeignMessage{"nc_destroy_for_the_thread_target", "thread-target", "0x82"},
                    ForeignMessage{"destroy_for_the_container", "container", "0x2"},
                    ForeignMessage{"nc_destroy_for_the_container", "container", "0x82"}),
    [](const auto& info) { return std::string(info.param.name); });

struct DuringTheDialog {
  const char* name;
  const char* message;
  const char* values;
  bool ends_the_session;
};

class ForeignMessagesDuringStartUp : public testing::TestWithParam<DuringTheDialog> {};

// Before the run loop there is no handler: a wake-up must start no cycle, and the end of the session
// ends the process quietly.
TEST_P(ForeignMessagesDuringStartUp, NeverStopTheProgramWithAFault) {
  CorvaneRun run("fail CreateCoreWebView2EnvironmentWithOptions 0x80070002\n");
  ASSERT_TRUE(testing_support::wait_for_error_box(run.program().id()));
  post_foreign(run, "thread-target", GetParam().message, GetParam().values);
  if (GetParam().ends_the_session) {
    EXPECT_EQ(run.program().wait_for_exit(10000), 0u);
    return;
  }
  EXPECT_TRUE(testing_support::wait_for_error_box(run.program().id())) << "the dialog is still there";
  testing_support::dismiss_error_box(run.program().id());
  EXPECT_EQ(run.program().wait_for_exit(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Posted, ForeignMessagesDuringStartUp,
                         testing::Values(DuringTheDialog{"new_events", "Corvane::ProcessNewEvents", "0 0",
                                                         false},
                                         DuringTheDialog{"end_of_the_session", "0x16", "1 0", true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace corvane
