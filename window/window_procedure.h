#pragma once
#include <windows.h>

namespace corvane {

// The top-level window's procedure: turns messages into window events for the runner.
LRESULT CALLBACK window_procedure(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) noexcept;

}  // namespace corvane
