#pragma once
// Raw input and device arrivals and removals, received by the thread target window, as device events.
#include <windows.h>

#include "window/event_loop_runner.h"
#include "window/message_step.h"

namespace corvane {

// WM_INPUT and WM_INPUT_DEVICE_CHANGE.
MessageStep handle_device_input(HWND window, EventLoopRunner& runner, UINT msg, WPARAM wparam, LPARAM lparam);

}  // namespace corvane
