#pragma once
// Whether a window's title bar is drawn dark or light.
#include <windows.h>

#include <optional>

#include "window/loop_events.h"
#include "window/optional_functions.h"
#include "window/windows_version.h"

namespace corvane {

struct WindowData;

// The system calls the theme decision makes, replaceable so tests can see them (Wine's window
// manager draws no dark title bars and cannot switch high contrast on).
struct ThemeSystem {
  const WindowsVersion* version;
  const ThemeFunctions* theme_functions;
  // RegGetValueW of HKCU\...\Themes\Personalize "AppsUseLightTheme" as a DWORD.
  LSTATUS (*read_apps_use_light_theme)(DWORD* value);
  // SystemParametersInfoA(SPI_GETHIGHCONTRAST); false when the call fails.
  bool (*read_high_contrast)(HIGHCONTRASTA* settings);
  HRESULT(WINAPI* set_window_attribute)(HWND, DWORD, LPCVOID, DWORD);
  LRESULT(WINAPI* default_procedure)(HWND, UINT, WPARAM, LPARAM);
  HWND(WINAPI* active_window)();
};
const ThemeSystem& system_theme();

// DWMWA_USE_IMMERSIVE_DARK_MODE's number: 19 before build 18986, 20 from it on.
constexpr DWORD dark_mode_attribute(const WindowsVersion& version) {
  return version.build < 18986 ? 19 : 20;
}

// Decides the theme from the preference, or from the system's setting when there is none, tells the
// window manager, and (when asked) repaints the title bar. Light where dark mode is not supported.
Theme resolve_window_theme(HWND window, std::optional<Theme> preference, bool redraw,
                           const ThemeSystem& system = system_theme());

// Redraws the title bar in its present activation state: the window manager takes a new dark-mode
// attribute only at the next non-client paint (Windows 10).
void repaint_title_bar(HWND window, const ThemeSystem& system = system_theme());

// Re-resolves the window's theme and delivers ThemeChanged when it changed. A settings change does
// not override an explicit preference, and repaints the title bar only when the theme changed.
void update_window_theme(WindowData& data, HWND window, bool from_settings_change,
                         const ThemeSystem& system = system_theme());

}  // namespace corvane
