// The real Corvane.exe under Wine: what it shows and how it ends.
#include <gtest/gtest.h>

#include "tests/e2e/corvane_run.h"

namespace corvane {
namespace {

using testing_support::CorvaneRun;

class RealProgram : public testing::TestWithParam<const wchar_t*> {};

TEST_P(RealProgram, ShowsOneMaximizedWindowAndClosesWithExitCodeZero) {
  CorvaneRun run("", {}, GetParam());
  ASSERT_TRUE(run.wait_until_started());
  const HWND window = run.main_window();
  EXPECT_EQ(run.program().main_windows().size(), 1u);
  // Shown first, then maximized: both before the web view is created.
  EXPECT_TRUE(IsZoomed(window));
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)), 0x15CF0000u);
  // The small icon is checked inside a process (window tests): Wine answers WM_GETICON from another
  // process with 0 for every window.
  EXPECT_EQ(run.close_and_wait(), 0u);
}

// Command-line arguments are ignored.
INSTANTIATE_TEST_SUITE_P(Arguments, RealProgram,
                         testing::Values(L"", L"--kiosk https://example.com/ /x \"a b\""));

BOOL CALLBACK close_window_of(HWND window, LPARAM process_id) {
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == static_cast<DWORD>(process_id)) PostMessageW(window, WM_CLOSE, 0, 0);
  return TRUE;
}

// taskkill without /f, and the system's own close requests, reach every top-level window of the
// process, the hidden ones included.
TEST(RealProgramClose, CloseSentToEveryTopLevelWindowStillEndsWithZero) {
  CorvaneRun run;
  ASSERT_TRUE(run.wait_until_started());
  EnumWindows(close_window_of, static_cast<LPARAM>(run.program().id()));
  EXPECT_EQ(run.program().wait_for_exit(), 0u);
}

}  // namespace
}  // namespace corvane
