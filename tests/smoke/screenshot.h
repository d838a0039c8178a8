#pragma once
// A window as the screen shows it, saved as a PNG.
#include <windows.h>

#include <optional>
#include <string>

namespace corvane {

// None on success, else what went wrong.
std::optional<std::string> save_screenshot(HWND window, const std::wstring& path);

}  // namespace corvane
