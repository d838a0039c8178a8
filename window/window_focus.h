#pragma once
// Focus as the program reports it: gained once the window is both active and focused, lost once it
// stops being either. The system sends activation and focus in either order.
#include <windows.h>

#include "window/message_step.h"
#include "window/window_data.h"

namespace corvane {

// WM_SETFOCUS, WM_KILLFOCUS and WM_NCACTIVATE.
MessageStep handle_focus(HWND window, WindowData& data, UINT msg, WPARAM wparam);

}  // namespace corvane
