// The real Corvane.exe under Wine: what it shows and how it ends.
#include <gtest/gtest.h>

#include "tests/common/program.h"

namespace corvane {
namespace {

using testing_support::corvane_exe;
using testing_support::Program;

class RealProgram : public testing::TestWithParam<const wchar_t*> {};

TEST_P(RealProgram, ShowsOneMaximizedWindowAndClosesWithExitCodeZero) {
  Program program(corvane_exe(), GetParam());
  ASSERT_TRUE(program.started());
  const HWND window = program.wait_for_main_window();
  ASSERT_NE(window, nullptr) << "no Corvane window appeared";
  EXPECT_EQ(program.main_windows().size(), 1u);
  // Shown first, then maximized: give start-up the moment it needs.
  for (int i = 0; i < 200 && !IsZoomed(window); ++i) Sleep(50);
  EXPECT_TRUE(IsZoomed(window));
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)), 0x15CF0000u);
  // The small icon is checked inside a process (window tests): Wine answers WM_GETICON from another
  // process with 0 for every window.
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.wait_for_exit(), 0u);
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
  Program program(corvane_exe());
  ASSERT_NE(program.wait_for_main_window(), nullptr);
  EnumWindows(close_window_of, static_cast<LPARAM>(program.id()));
  EXPECT_EQ(program.wait_for_exit(), 0u);
}

}  // namespace
}  // namespace corvane
