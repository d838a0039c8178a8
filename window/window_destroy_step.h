#pragma once
// The main window's end: "Corvane::DestroyMsg" destroys it only when release_window asked, and
// WM_DESTROY and WM_NCDESTROY act only while it is really being destroyed. Any program can post all
// three; a stray one changes nothing.
#include <windows.h>

#include "window/message_step.h"
#include "window/window_data.h"

namespace corvane {

MessageStep handle_destruction(HWND window, WindowData& data, UINT msg);

}  // namespace corvane
