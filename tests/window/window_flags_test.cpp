#include "window/window_flags.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "window/registered_messages.h"

namespace corvane {
namespace {

using F = WindowFlags;

constexpr WindowFlags kMainWindowAtCreation{F::Resizable | F::OnTaskbar | F::Minimizable | F::Maximizable |
                                            F::Closable | F::Decorated | F::Focusable};

TEST(FlagsToStyles, MainWindowBeforeAndAfterShowingAndMaximizing) {
  EXPECT_EQ(flags_to_styles(kMainWindowAtCreation), (WindowStyles{0x04CF0000, 0x00040110}));
  EXPECT_EQ(flags_to_styles(kMainWindowAtCreation.with(F::Visible, true).with(F::Maximized, true)),
            (WindowStyles{0x15CF0000, 0x00040110}));
}

struct BitCase {
  WindowFlags::Bit bit;
  WindowStyles styles;  // for that bit alone; Focusable's absence adds WS_EX_NOACTIVATE
};

class FlagsToStylesBits : public testing::TestWithParam<BitCase> {};

TEST_P(FlagsToStylesBits, EachFlagAddsItsStyle) {
  EXPECT_EQ(flags_to_styles(WindowFlags{F::Focusable | GetParam().bit}), GetParam().styles);
}

constexpr DWORD kBase = 0x04C80000, kBaseEx = 0x00000110;

INSTANTIATE_TEST_SUITE_P(Bits, FlagsToStylesBits,
                         testing::Values(BitCase{F::Resizable, {kBase | WS_THICKFRAME, kBaseEx}},
                                         BitCase{F::Visible, {kBase | WS_VISIBLE, kBaseEx}},
                                         BitCase{F::Minimizable, {kBase | WS_MINIMIZEBOX, kBaseEx}},
                                         BitCase{F::Maximizable, {kBase | WS_MAXIMIZEBOX, kBaseEx}},
                                         BitCase{F::Maximized, {kBase | WS_MAXIMIZE, kBaseEx}},
                                         BitCase{F::Minimized, {kBase | WS_MINIMIZE, kBaseEx}},
                                         BitCase{F::OnTaskbar, {kBase, kBaseEx | WS_EX_APPWINDOW}},
                                         BitCase{F::Decorated, {kBase, kBaseEx}},
                                         BitCase{F::Closable, {kBase, kBaseEx}},
                                         BitCase{F::Focusable, {kBase, kBaseEx}}));

TEST(FlagsToStyles, NotFocusableMeansNoActivate) {
  EXPECT_EQ(flags_to_styles(WindowFlags{}), (WindowStyles{kBase, kBaseEx | WS_EX_NOACTIVATE}));
}

// Records every call, in order, without touching a window.
std::vector<std::string> g_calls;

const WindowCalls kRecorder{
    [](HWND, int command) -> BOOL { return g_calls.push_back("show " + std::to_string(command)), TRUE; },
    [](HWND, BOOL) -> HMENU { return reinterpret_cast<HMENU>(1); },
    [](HMENU, UINT item, UINT flags) -> BOOL {
      return g_calls.push_back("menu " + std::to_string(item) + " " + std::to_string(flags)), TRUE;
    },
    [](HWND, int index, LONG value) -> LONG {
      char text[40];
      std::snprintf(text, sizeof text, "long %d %08lX", index, static_cast<unsigned long>(value));
      return g_calls.push_back(text), 0;
    },
    [](HWND, HWND, int, int, int, int, UINT flags) -> BOOL {
      return g_calls.push_back("pos " + std::to_string(flags)), TRUE;
    },
    [](HWND, UINT msg, WPARAM wparam, LPARAM) -> LRESULT {
      const bool retain = msg == registered_message(RegisteredMessage::SetRetainMaximized);
      return g_calls.push_back((retain ? "retain " : "message ") + std::to_string(wparam)), 0;
    }};

struct ApplyCase {
  const char* name;
  WindowFlags old_flags, new_flags;
  std::vector<std::string> calls;
};

class ApplyWindowFlags : public testing::TestWithParam<ApplyCase> {};

TEST_P(ApplyWindowFlags, MakesTheFewestCalls) {
  g_calls.clear();
  apply_window_flags(GetParam().old_flags, nullptr, GetParam().new_flags, kRecorder);
  EXPECT_EQ(g_calls, GetParam().calls);
}

const WindowFlags kShown = kMainWindowAtCreation.with(F::Visible, true);
const std::string kEnableClose = "menu " + std::to_string(SC_CLOSE) + " 0";

INSTANTIATE_TEST_SUITE_P(Cases, ApplyWindowFlags,
                         testing::Values(ApplyCase{"equal", kShown, kShown, {}},
                                         ApplyCase{"creation_hidden",
                                                   {},
                                                   kMainWindowAtCreation,
                                                   {kEnableClose, "show 0", "retain 1", "long -16 04CF0000",
                                                    "long -20 00040110", "pos 55", "retain 0"}},
                                         ApplyCase{"shown",
                                                   kMainWindowAtCreation,
                                                   kShown,
                                                   {kEnableClose, "retain 1", "long -16 04CF0000",
                                                    "long -20 00040110", "pos 55", "retain 0", "show 5"}},
                                         ApplyCase{"maximized",
                                                   kShown,
                                                   kShown.with(F::Maximized, true),
                                                   {"show 3", kEnableClose, "retain 1", "long -16 15CF0000",
                                                    "long -20 00040110", "pos 55", "retain 0", "show 5"}},
                                         ApplyCase{"minimized_only",
                                                   kShown,
                                                   kShown.with(F::Minimized, true),
                                                   {"show 6", kEnableClose, "show 5"}},
                                         ApplyCase{"not_closable",
                                                   kShown,
                                                   kShown.with(F::Closable, false),
                                                   {"menu " + std::to_string(SC_CLOSE) + " 1", "retain 1",
                                                    "long -16 14CF0000", "long -20 00040110", "pos 55",
                                                    "retain 0", "show 5"}}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace corvane
