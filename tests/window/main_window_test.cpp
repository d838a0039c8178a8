// Creating the main window: sizes for the primary monitor's DPI, styles, icon, minimum size.
#include "window/main_window.h"

#include <gtest/gtest.h>

#include "app/main_window_attributes.h"
#include "app/window_icon.h"
#include "tests/common/child_process.h"
#include "tests/common/scenario_main.h"
#include "tests/common/session_changes.h"
#include "tests/window/window_fixture.h"
#include "window/dpi.h"

namespace corvane {
namespace {

class MainWindowCreation : public testing_support::WindowFixture {};

// The program's own attributes, as start-up passes them.
TEST_F(MainWindowCreation, ShowsAMaximizedCaptionedWindowWithItsIcon) {
  const WindowAttributes a = main_window_attributes(load_window_icon());
  ASSERT_TRUE(a.window_icon);
  auto created = create_window(loop(), a);
  ASSERT_TRUE(created.ok());
  const HWND w = created.value().hwnd;
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(w, GWL_STYLE)), 0x15CF0000u);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(w, GWL_EXSTYLE)) & 0x00040110u, 0x00040110u);
  EXPECT_TRUE(IsZoomed(w));
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(w, WM_GETICON, ICON_SMALL, 0)), a.window_icon->get());
  EXPECT_EQ(SendMessageW(w, WM_GETICON, ICON_BIG, 0), 0);
  wchar_t title[16];
  GetWindowTextW(w, title, 16);
  EXPECT_STREQ(title, L"Corvane");
  wchar_t class_name[32];
  GetClassNameW(w, class_name, 32);
  EXPECT_STREQ(class_name, L"Window Class");
  destroy_window(w);
}

TEST_F(MainWindowCreation, WithoutAnIconBothIconsAreEmpty) {
  auto created = create_window(loop(), attributes(false));
  ASSERT_TRUE(created.ok());
  EXPECT_EQ(SendMessageW(created.value().hwnd, WM_GETICON, ICON_SMALL, 0), 0);
  destroy_window(created.value().hwnd);
}

TEST_F(MainWindowCreation, EventsBeforeTheRunLoopAreQueuedForItsFirstCycle) {
  // A fresh loop without a handler, as at start-up.
  auto fresh = create_event_loop();
  auto created = create_window(*fresh, attributes(true));
  ASSERT_TRUE(created.ok());
  EXPECT_TRUE(fresh->runner()->handler_busy());
  EXPECT_EQ(fresh->runner()->phase(), RunnerPhase::NotStarted);
  destroy_window(created.value().hwnd);
}

CORVANE_SCENARIO(report_main_window) {
  auto loop = create_event_loop();
  WindowAttributes a;
  a.title = "Corvane";
  a.inner_size = LogicalSize{1280, 820};
  a.constraints.min_width = LogicalLength{360};
  a.constraints.min_height = LogicalLength{560};
  auto created = create_window(*loop, a);
  if (!created) return 1;
  const HWND w = created.value().hwnd;
  RECT client, frame;
  GetClientRect(w, &client);
  GetWindowRect(w, &frame);
  MINMAXINFO info{};
  SendMessageW(w, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  const LONG frame_width = (frame.right - frame.left) - client.right,
             frame_height = (frame.bottom - frame.top) - client.bottom;
  std::printf("dpi %u\n", window_dpi(w));
  std::printf("client %ldx%ld\n", client.right, client.bottom);
  std::printf("minimum client %ldx%ld\n", info.ptMinTrackSize.x - frame_width,
              info.ptMinTrackSize.y - frame_height);
  return 0;
}

struct DpiCase {
  DWORD dpi;
  std::vector<std::string> report;
};

class MainWindowAtDpi : public testing::TestWithParam<DpiCase> {};

// The screen under test is 1920 x 1080, so the 144-DPI size (1920 x 1230) cannot be shown whole:
// the size table covers it, this test the sizes that fit.
TEST_P(MainWindowAtDpi, SizesItsClientAreaForThePrimaryMonitor) {
  testing_support::require_label(testing_support::kChangesSettings);
  HKEY desktop;
  RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                  &desktop, nullptr);
  const auto set_dpi = [&](DWORD dpi) {
    RegSetValueExW(desktop, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
  };
  set_dpi(GetParam().dpi);
  const auto r = testing_support::run_scenario("report_main_window");
  set_dpi(96);
  RegCloseKey(desktop);
  EXPECT_EQ(r.lines(), GetParam().report) << r.err;
}

INSTANTIATE_TEST_SUITE_P(Dpis, MainWindowAtDpi,
                         testing::Values(DpiCase{96, {"dpi 96", "client 1280x820", "minimum client 360x560"}},
                                         DpiCase{120,
                                                 {"dpi 120", "client 1600x1025", "minimum client 450x700"}}),
                         [](const auto& info) { return std::to_string(info.param.dpi); });

TEST(MainWindowAt144Dpi, MinimumClientSizeIs540By840) {
  testing_support::require_label(testing_support::kChangesSettings);
  HKEY desktop;
  RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                  &desktop, nullptr);
  DWORD dpi = 144;
  RegSetValueExW(desktop, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
  const auto r = testing_support::run_scenario("report_main_window");
  dpi = 96;
  RegSetValueExW(desktop, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
  RegCloseKey(desktop);
  const auto lines = r.lines();
  ASSERT_EQ(lines.size(), 3u) << r.err;
  EXPECT_EQ(lines[0], "dpi 144");
  EXPECT_EQ(lines[2], "minimum client 540x840");
}

}  // namespace
}  // namespace corvane
