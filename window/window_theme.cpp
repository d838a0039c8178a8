#include "window/window_theme.h"

#include <dwmapi.h>

namespace corvane {
namespace {

LSTATUS read_apps_use_light_theme(DWORD* value) {
  DWORD size = sizeof *value;
  *value = 0;
  return RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize",
                      L"AppsUseLightTheme", RRF_RT_REG_DWORD, nullptr, value, &size);
}

bool read_high_contrast(HIGHCONTRASTA* settings) {
  *settings = {};
  settings->cbSize = sizeof *settings;
  return SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof *settings, settings, 0);
}

bool system_wants_dark(const ThemeSystem& system) {
  DWORD light = 0;
  bool candidate;
  if (system.read_apps_use_light_theme(&light) == ERROR_SUCCESS) {
    candidate = light == 0;
  } else {
    const auto should_use_dark = system.theme_functions->should_apps_use_dark_mode;
    candidate = should_use_dark && (should_use_dark() & 0xFF) != 0;
  }
  if (!candidate) return false;
  HIGHCONTRASTA high_contrast;
  return !(system.read_high_contrast(&high_contrast) && (high_contrast.dwFlags & HCF_HIGHCONTRASTON));
}

}  // namespace

const ThemeSystem& system_theme() {
  static const ThemeSystem system{&windows_version(), &theme_functions(),    read_apps_use_light_theme,
                                  read_high_contrast, DwmSetWindowAttribute, DefWindowProcW,
                                  GetActiveWindow};
  return system;
}

Theme resolve_window_theme(HWND window, std::optional<Theme> preference, bool redraw,
                           const ThemeSystem& system) {
  if (!dark_mode_supported(*system.version)) return Theme::Light;
  const bool dark = preference ? *preference == Theme::Dark : system_wants_dark(system);
  const BOOL flag = dark;
  system.set_window_attribute(window, dark_mode_attribute(*system.version), &flag, sizeof flag);
  if (redraw) repaint_title_bar(window, system);
  return dark ? Theme::Dark : Theme::Light;
}

void repaint_title_bar(HWND window, const ThemeSystem& system) {
  // Two activation repaints leave the title bar in its present state, now in the new colours.
  const HWND active = system.active_window();
  system.default_procedure(window, WM_NCACTIVATE, active != window, 0);
  system.default_procedure(window, WM_NCACTIVATE, active == window, 0);
}

}  // namespace corvane
