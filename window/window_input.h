#pragma once
// Keyboard, mouse, touch, pen and input-method messages of a top-level window. Nothing in this
// program consumes the events they make; what is fixed is each message's result, the mouse capture,
// the leave tracking and Alt+F4 reaching default processing.
#include <windows.h>

#include <optional>

#include "window/window_data.h"

namespace corvane {

// Reads the modifier keys and delivers ModifiersChanged when they differ from the stored state.
void refresh_modifiers(HWND window, WindowData& data);

// Keyboard translation: KeyboardInput for key presses and releases.
void translate_keyboard(HWND window, WindowData& data, UINT msg, WPARAM wparam, LPARAM lparam);

// The mouse, touch, pen and input-method messages; none for any other message.
std::optional<LRESULT> handle_pointer_input(HWND window, WindowData& data, UINT msg, WPARAM wparam,
                                            LPARAM lparam);

}  // namespace corvane
