// The window procedure on real main windows.
#include "window/window_procedure.h"

#include <gtest/gtest.h>

#include "tests/common/session_changes.h"
#include "tests/window/window_fixture.h"
#include "window/registered_messages.h"

namespace corvane {
namespace {

using Lines = std::vector<std::string>;

class WindowProcedure : public testing_support::WindowFixture {
 protected:
  static bool has(const MainWindow& w, WindowFlags::Bit bit) {
    std::lock_guard guard(w.state->lock);
    return w.state->flags.has(bit);
  }
};

TEST_F(WindowProcedure, CloseGivesOneCloseRequestAndKeepsTheWindow) {
  const MainWindow w = open(true);
  SendMessageW(w.hwnd, WM_CLOSE, 0, 0);
  EXPECT_EQ(log(), Lines{"CloseRequest"});
  EXPECT_TRUE(IsWindow(w.hwnd));
}

TEST_F(WindowProcedure, SystemMenuCloseAlsoGivesOneCloseRequest) {
  const MainWindow w = open(false);
  SendMessageW(w.hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(count("CloseRequest"), 1);
  EXPECT_TRUE(IsWindow(w.hwnd));
}

TEST_F(WindowProcedure, MinimizingReportsZeroSizeAndLeavesMaximizedClear) {
  const MainWindow w = open(false);
  ShowWindow(w.hwnd, SW_MINIMIZE);
  EXPECT_EQ(count("Resized 0x0"), 1);
  EXPECT_FALSE(has(w, WindowFlags::Maximized));
}

TEST_F(WindowProcedure, RestoringAMaximizedWindowClearsMaximized) {
  const MainWindow w = open(true);
  EXPECT_TRUE(has(w, WindowFlags::Maximized));
  ShowWindow(w.hwnd, SW_RESTORE);
  EXPECT_FALSE(has(w, WindowFlags::Maximized));
  EXPECT_EQ(count("Resized 1280x820"), 1);
}

TEST_F(WindowProcedure, SizeDuringAStyleChangeLeavesMaximizedAlone) {
  const MainWindow w = open(true);
  const UINT retain = registered_message(RegisteredMessage::SetRetainMaximized);
  SendMessageW(w.hwnd, retain, 1, 0);
  SendMessageW(w.hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(300, 200));
  EXPECT_TRUE(has(w, WindowFlags::Maximized));
  SendMessageW(w.hwnd, retain, 0, 0);
  SendMessageW(w.hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(300, 200));
  EXPECT_FALSE(has(w, WindowFlags::Maximized));
  EXPECT_EQ(count("Resized 300x200"), 2);
}

TEST_F(WindowProcedure, MovingGivesMovedWithoutResized) {
  const MainWindow w = open(false);
  SetWindowPos(w.hwnd, nullptr, 50, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(log(), Lines{"Moved 50,60"});
}

TEST_F(WindowProcedure, ResizingWithoutMovingGivesNoMoved) {
  const MainWindow w = open(false);
  SetWindowPos(w.hwnd, nullptr, 0, 0, 900, 700, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(count("Moved 0,0"), 0);
  EXPECT_EQ(log().size(), 1u);
  EXPECT_TRUE(log()[0].starts_with("Resized ")) << log()[0];
}

struct FocusOrder {
  const char* name;
  std::vector<std::pair<UINT, WPARAM>> gain, lose;
};

class Focus : public WindowProcedure, public testing::WithParamInterface<FocusOrder> {};

TEST_P(Focus, OneFocusChangedWhicheverMessageComesFirst) {
  const MainWindow w = open(false, false);  // hidden, so neither active nor focused yet
  for (auto [msg, wparam] : GetParam().gain) SendMessageW(w.hwnd, msg, wparam, 0);
  EXPECT_EQ(log(), Lines{"FocusChanged true"});
  log().clear();
  for (auto [msg, wparam] : GetParam().lose) SendMessageW(w.hwnd, msg, wparam, 0);
  EXPECT_EQ(log(), (Lines{"ModifiersChanged 0", "FocusChanged false"}));
}

INSTANTIATE_TEST_SUITE_P(Orders, Focus,
                         testing::Values(FocusOrder{"activate_first",
                                                    {{WM_NCACTIVATE, TRUE}, {WM_SETFOCUS, 0}},
                                                    {{WM_KILLFOCUS, 0}, {WM_NCACTIVATE, FALSE}}},
                                         FocusOrder{"focus_first",
                                                    {{WM_SETFOCUS, 0}, {WM_NCACTIVATE, TRUE}},
                                                    {{WM_NCACTIVATE, FALSE}, {WM_KILLFOCUS, 0}}}),
                         [](const auto& info) { return std::string(info.param.name); });

class PersonalizeKey {
 public:
  PersonalizeKey() {
    testing_support::require_label(testing_support::kChangesSettings);
    RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize",
                    0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr);
  }
  ~PersonalizeKey() {
    RegDeleteValueW(key_, L"AppsUseLightTheme");
    RegCloseKey(key_);
  }
  void set(DWORD light) {
    RegSetValueExW(key_, L"AppsUseLightTheme", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&light),
                   sizeof light);
  }

 private:
  HKEY key_ = nullptr;
};

TEST_F(WindowProcedure, SettingChangeReportsAThemeChangeOnce) {
  PersonalizeKey personalize;
  const MainWindow w = open(false);
  personalize.set(0);
  SendMessageW(w.hwnd, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"ImmersiveColorSet"));
  SendMessageW(w.hwnd, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"ImmersiveColorSet"));
  EXPECT_EQ(log(), Lines{"ThemeChanged Dark"});
  personalize.set(1);
  SendMessageW(w.hwnd, WM_SETTINGCHANGE, 0, 0);
  EXPECT_EQ(log(), (Lines{"ThemeChanged Dark", "ThemeChanged Light"}));
}

TEST_F(WindowProcedure, DestroyMessageDestroysAndLaterMessagesGoToTheDefault) {
  MainWindow w = open(false);
  const HWND hwnd = w.hwnd;
  release_window(std::move(w));
  pump();
  EXPECT_FALSE(IsWindow(hwnd));
  ASSERT_FALSE(log().empty());
  EXPECT_EQ(log().back(), "WindowDestroyed");
  const Lines before = log();
  window_procedure(hwnd, WM_CLOSE, 0, 0);
  EXPECT_EQ(log(), before) << "a message after destruction delivers nothing";
}

TEST_F(WindowProcedure, MouseButtonsCountTheirCapture) {
  const MainWindow w = open(false);
  SendMessageW(w.hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(w.hwnd, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(GetCapture(), w.hwnd);
  SendMessageW(w.hwnd, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(GetCapture(), w.hwnd) << "one button is still down";
  SendMessageW(w.hwnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_NE(GetCapture(), w.hwnd);
  EXPECT_EQ(log(), (Lines{"MouseButton down", "MouseButton down", "MouseButton up", "MouseButton up"}));
}

TEST_F(WindowProcedure, PointerEntersMovesAndLeaves) {
  const MainWindow w = open(false);
  SendMessageW(w.hwnd, WM_MOUSELEAVE, 0, 0);  // whatever the real pointer did so far
  log().clear();
  SendMessageW(w.hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(10, 20));
  SendMessageW(w.hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(10, 20));
  SendMessageW(w.hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(11, 20));
  SendMessageW(w.hwnd, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(log(), (Lines{"CursorEntered", "CursorMoved 10,20", "CursorMoved 11,20", "CursorLeft"}));
}

TEST_F(WindowProcedure, AltF4ReachesDefaultProcessingAndBecomesACloseRequest) {
  const MainWindow w = open(false);
  constexpr LPARAM kAltDown = LPARAM{1} << 29;
  EXPECT_EQ(SendMessageW(w.hwnd, WM_SYSKEYDOWN, 'A', kAltDown), 0);
  EXPECT_EQ(count("CloseRequest"), 0);
  SendMessageW(w.hwnd, WM_SYSKEYDOWN, VK_F4, kAltDown);
  pump();
  EXPECT_EQ(count("CloseRequest"), 1);
  EXPECT_TRUE(IsWindow(w.hwnd));
}

TEST_F(WindowProcedure, MinimumTrackingSizeIsTheMinimumClientSizePlusTheFrame) {
  const MainWindow w = open(false);
  RECT window_rect;
  GetWindowRect(w.hwnd, &window_rect);
  const SIZE client = client_size(w.hwnd);
  MINMAXINFO info{};
  info.ptMaxTrackSize = {12345, 6789};
  SendMessageW(w.hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.ptMinTrackSize.x, 360 + (window_rect.right - window_rect.left - client.cx));
  EXPECT_EQ(info.ptMinTrackSize.y, 560 + (window_rect.bottom - window_rect.top - client.cy));
  EXPECT_EQ(info.ptMaxTrackSize.x, 12345) << "no maximum: the system's value stays";
}

// Sets the system's "show window contents while dragging" for one test and puts it back after.
class DragFullWindows {
 public:
  explicit DragFullWindows(BOOL on) {
    testing_support::require_label(testing_support::kChangesSettings);
    SystemParametersInfoW(SPI_GETDRAGFULLWINDOWS, 0, &saved_, 0);
    SystemParametersInfoW(SPI_SETDRAGFULLWINDOWS, on, nullptr, 0);
  }
  ~DragFullWindows() { SystemParametersInfoW(SPI_SETDRAGFULLWINDOWS, saved_, nullptr, 0); }

 private:
  BOOL saved_ = FALSE;
};

LPARAM suggested_rect(HWND window, RECT& rect) {
  GetWindowRect(window, &rect);
  return reinterpret_cast<LPARAM>(&rect);
}

TEST_F(WindowProcedure, DpiChangeKeepsTheLogicalSize) {
  const DragFullWindows dragging(TRUE);
  const MainWindow w = open(false);
  ASSERT_EQ(client_size(w.hwnd).cx, 1280);
  RECT suggested;
  SendMessageW(w.hwnd, WM_DPICHANGED, MAKEWPARAM(144, 144), suggested_rect(w.hwnd, suggested));
  EXPECT_EQ(log(), (Lines{"ScaleChanged 1.50 1920x1230", "Resized 1920x1230"}));
  EXPECT_EQ(client_size(w.hwnd).cx, 1920);
  EXPECT_EQ(client_size(w.hwnd).cy, 1230);
}

TEST_F(WindowProcedure, DpiChangeLeavesAMaximizedWindowsSize) {
  const DragFullWindows dragging(TRUE);
  const MainWindow w = open(true);
  const SIZE before = client_size(w.hwnd);
  RECT suggested;
  SendMessageW(w.hwnd, WM_DPICHANGED, MAKEWPARAM(144, 144), suggested_rect(w.hwnd, suggested));
  EXPECT_EQ(log(), Lines{"ScaleChanged 1.50 " + std::to_string(before.cx) + "x" + std::to_string(before.cy)});
  EXPECT_EQ(client_size(w.hwnd).cx, before.cx);
  EXPECT_EQ(client_size(w.hwnd).cy, before.cy);
}

TEST_F(WindowProcedure, DpiMessageWithTheSameDpiChangesNothing) {
  const MainWindow w = open(false);
  RECT before, suggested{0, 0, 10, 10};
  GetWindowRect(w.hwnd, &before);
  SendMessageW(w.hwnd, WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&suggested));
  RECT after;
  GetWindowRect(w.hwnd, &after);
  EXPECT_TRUE(log().empty());
  EXPECT_TRUE(EqualRect(&before, &after));
}

struct DpiMessage {
  const char* name;
  WPARAM wparam;
  bool acted_on;  // the window took the new scale
};

class DpiChange : public WindowProcedure, public testing::WithParamInterface<DpiMessage> {
 protected:
  static double scale_factor(const MainWindow& w) {
    std::lock_guard guard(w.state->lock);
    return w.state->scale_factor;
  }
};

// Any program can post WM_DPICHANGED: only a DPI the system would send changes the window's scale.
TEST_P(DpiChange, ActsOnlyOnADpiTheSystemSends) {
  const MainWindow w = open(false);
  RECT suggested;
  SendMessageW(w.hwnd, WM_DPICHANGED, GetParam().wparam, suggested_rect(w.hwnd, suggested));
  EXPECT_EQ(scale_factor(w), GetParam().acted_on ? LOWORD(GetParam().wparam) / 96.0 : 1.0);
  const bool scale_changed = !log().empty() && log().front().starts_with("ScaleChanged ");
  EXPECT_EQ(scale_changed, GetParam().acted_on);
  if (!GetParam().acted_on) {
    EXPECT_TRUE(log().empty()) << log().front();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Values, DpiChange,
    testing::Values(DpiMessage{"125_percent", MAKEWPARAM(120, 120), true},
                    DpiMessage{"500_percent", MAKEWPARAM(480, 480), true}, DpiMessage{"zero", 0, false},
                    DpiMessage{"different_words", MAKEWPARAM(144, 96), false},
                    DpiMessage{"below_100_percent", MAKEWPARAM(95, 95), false},
                    DpiMessage{"above_500_percent", MAKEWPARAM(481, 481), false},
                    DpiMessage{"all_ones", MAKEWPARAM(0xFFFF, 0xFFFF), false},
                    DpiMessage{"bits_above_the_words", (WPARAM{1} << 40) | MAKEWPARAM(144, 144), false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WindowProcedure, DpiChangeKeepsThePhysicalSizeWithoutFullWindowDragging) {
  const DragFullWindows dragging(FALSE);
  const MainWindow w = open(false);
  RECT suggested;
  SendMessageW(w.hwnd, WM_DPICHANGED, MAKEWPARAM(144, 144), suggested_rect(w.hwnd, suggested));
  EXPECT_EQ(log(), Lines{"ScaleChanged 1.50 1280x820"});
  EXPECT_EQ(client_size(w.hwnd).cx, 1280);
}

}  // namespace
}  // namespace corvane
