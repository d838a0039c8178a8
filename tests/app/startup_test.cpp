#include "app/startup.h"

#include <gtest/gtest.h>

#include "app/app_event_handler.h"
#include "app/failure_text.h"
#include "support/text.h"
#include "tests/common/child_process.h"
#include "tests/common/program.h"
#include "tests/common/scenario_main.h"

namespace corvane {
namespace {

CORVANE_SCENARIO(window_failure) {
  return report_window_failure(WindowCreationError{"window/main_window.cpp", 97, hresult_from_win32(87)});
}

TEST(WindowFailure, ShowsItsDialogAndEndsWithZero) {
  testing_support::Program program(testing_support::this_program(), L"--scenario window_failure");
  const auto text = testing_support::wait_for_error_box(program.id());
  ASSERT_TRUE(text);
  EXPECT_EQ(to_utf8(*text),
            window_failure_text(WindowCreationError{"window/main_window.cpp", 97, hresult_from_win32(87)}));
  EXPECT_TRUE(to_utf8(*text).starts_with(
      "Corvane couldn't open its window (os error at window/main_window.cpp:97: "));
  EXPECT_EQ(program.wait_for_exit(1000), std::nullopt) << "the dialog is modal";
  testing_support::dismiss_error_box(program.id());
  EXPECT_EQ(program.wait_for_exit(), 0u);
}

struct HandlerCase {
  LoopEvent event;
  bool exits;
};

class AppEventHandlerTable : public testing::TestWithParam<HandlerCase> {};

TEST_P(AppEventHandlerTable, WaitsForEverythingButACloseRequest) {
  LoopEvent event = GetParam().event;
  LoopControl control = loop_control::Poll{};
  AppEventHandler(event, control);
  if (GetParam().exits) {
    ASSERT_TRUE(std::holds_alternative<loop_control::Exit>(control));
    EXPECT_EQ(std::get<loop_control::Exit>(control).code, 0);
  } else {
    EXPECT_TRUE(std::holds_alternative<loop_control::Wait>(control));
  }
}

const HWND kWindow = reinterpret_cast<HWND>(0x100);

INSTANTIATE_TEST_SUITE_P(
    Events, AppEventHandlerTable,
    testing::Values(
        HandlerCase{loop_event::Window{kWindow, window_event::CloseRequest{}}, true},
        HandlerCase{loop_event::Window{reinterpret_cast<HWND>(0x200), window_event::CloseRequest{}}, true},
        HandlerCase{loop_event::Window{kWindow, window_event::Resized{{10, 10}}}, false},
        HandlerCase{loop_event::Window{kWindow, window_event::FocusChanged{false}}, false},
        HandlerCase{loop_event::Window{kWindow, window_event::WindowDestroyed{}}, false},
        HandlerCase{loop_event::RepaintRequested{kWindow}, false},
        HandlerCase{loop_event::Device{nullptr, device_event::Added{}}, false},
        HandlerCase{loop_event::CycleStarted{FirstCycle{}}, false},
        HandlerCase{loop_event::LoopEnded{}, false}));

}  // namespace
}  // namespace corvane
