#include "window/window_theme.h"

#include <dwmapi.h>

#include "window/window_data.h"

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

void update_window_theme(WindowData& data, HWND window, bool from_settings_change,
                         const ThemeSystem& system) {
  WindowState& state = *data.state;
  Theme theme;
  {
    std::lock_guard guard(state.lock);
    std::optional<Theme> preference = state.preferred_theme;
    if (!preference) {
      std::lock_guard loop_guard(data.loop_theme->lock);
      preference = data.loop_theme->value;
    }
    // An explicit preference is not overridden by the system's settings.
    if (from_settings_change && preference) return;
    theme = resolve_window_theme(window, preference, !from_settings_change, system);
    if (theme == state.current_theme) return;
    state.current_theme = theme;
    // A switch of the system's theme is drawn only once the frame is painted again.
    if (from_settings_change) repaint_title_bar(window, system);
  }
  data.deliver(window, window_event::ThemeChanged{theme});
}

}  // namespace corvane
