#pragma once
// Keyboard, mouse, touch, pen and input-method messages of a top-level window. Nothing in this
// program consumes the events they make; what is fixed is each message's result, the mouse capture,
// the leave tracking and Alt+F4 reaching default processing.
#include <windows.h>

#include "window/message_step.h"
#include "window/window_data.h"

namespace corvane {

// Reads the modifier keys and delivers ModifiersChanged when they differ from the stored state.
void refresh_modifiers(HWND window, WindowData& data);

// Keyboard translation: KeyboardInput for key presses and releases.
void translate_keyboard(HWND window, WindowData& data, UINT msg, WPARAM wparam, LPARAM lparam);

// Buttons (with the mouse capture), moves, leaving and the wheel.
MessageStep handle_mouse_input(HWND window, WindowData& data, UINT msg, WPARAM wparam, LPARAM lparam);
// Touch and pen.
MessageStep handle_touch_input(HWND window, WindowData& data, UINT msg, WPARAM wparam, LPARAM lparam);
// Text the input method committed.
MessageStep handle_ime_input(HWND window, WindowData& data, UINT msg);

}  // namespace corvane
