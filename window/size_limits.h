#pragma once
// The two messages that need more than a line of the window procedure: the minimum tracking size
// and the move to a monitor of another DPI.
#include <windows.h>

#include "window/window_data.h"

namespace corvane {

void on_get_min_max_info(HWND window, WindowData& data, MINMAXINFO* info);
// Acts only on what the system sends: a DPI within Windows' scaling range, the same in both words of
// wParam, and a readable suggested rectangle at lParam. Any other WM_DPICHANGED changes nothing.
void on_dpi_changed(HWND window, WindowData& data, WPARAM wparam, LPARAM lparam);

}  // namespace corvane
