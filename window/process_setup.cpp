#include "window/process_setup.h"

#include <mutex>

namespace corvane {

void make_process_dpi_aware(const DpiFunctions& functions) {
  if (functions.set_process_dpi_awareness_context) {
    if (!functions.set_process_dpi_awareness_context(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2)) {
      functions.set_process_dpi_awareness_context(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE);
    }
  } else if (functions.set_process_dpi_awareness) {
    functions.set_process_dpi_awareness(PROCESS_PER_MONITOR_DPI_AWARE);
  } else if (functions.set_process_dpi_aware) {
    functions.set_process_dpi_aware();
  }
}

bool make_process_dpi_aware_once(const DpiFunctions& functions) {
  static std::once_flag once;
  bool ran = false;
  std::call_once(once, [&] {
    make_process_dpi_aware(functions);
    ran = true;
  });
  return ran;
}

void allow_dark_mode_for_app(const WindowsVersion& version, const ThemeFunctions& functions) {
  if (!dark_mode_supported(version) || !functions.set_preferred_app_mode) return;
  // Before 18362 the export is AllowDarkModeForApp(TRUE), from it on SetPreferredAppMode(AllowDark):
  // both receive the value 1.
  constexpr int kAllowDark = 1;
  functions.set_preferred_app_mode(kAllowDark);
  if (functions.refresh_immersive_color_policy_state) functions.refresh_immersive_color_policy_state();
}

}  // namespace corvane
