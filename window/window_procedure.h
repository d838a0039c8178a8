#pragma once
#include <windows.h>

#include "window/window_data.h"

namespace corvane {

// The top-level window's procedure: turns messages into window events for the runner.
LRESULT CALLBACK window_procedure(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) noexcept;

// Re-resolves the window's theme and delivers ThemeChanged when it changed. A settings change does
// not override an explicit preference and does not force a title-bar repaint.
void update_window_theme(WindowData& data, HWND window, bool from_settings_change);

}  // namespace corvane
