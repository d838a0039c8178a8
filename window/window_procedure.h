#pragma once
#include <windows.h>

#include "window/window_data.h"
#include "window/window_theme.h"

namespace corvane {

// The top-level window's procedure: turns messages into window events for the runner.
LRESULT CALLBACK window_procedure(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) noexcept;

// Re-resolves the window's theme and delivers ThemeChanged when it changed. A settings change does
// not override an explicit preference, and repaints the title bar only when the theme changed.
void update_window_theme(WindowData& data, HWND window, bool from_settings_change,
                         const ThemeSystem& system = system_theme());

}  // namespace corvane
