#pragma once
// System functions that older Windows versions lack, looked up at run time. The looked-up sets are
// passed to the code that uses them, so tests can hand in sets with functions missing or faked.
#include <windows.h>
#include <shellscalingapi.h>

#include "support/optional_function.h"

namespace corvane {

struct DpiFunctions {
  BOOL(WINAPI* set_process_dpi_awareness_context)(DPI_AWARENESS_CONTEXT) = nullptr;
  HRESULT(WINAPI* set_process_dpi_awareness)(PROCESS_DPI_AWARENESS) = nullptr;
  BOOL(WINAPI* set_process_dpi_aware)() = nullptr;
  UINT(WINAPI* get_dpi_for_window)(HWND) = nullptr;
  HRESULT(WINAPI* get_dpi_for_monitor)(HMONITOR, MONITOR_DPI_TYPE, UINT*, UINT*) = nullptr;
  BOOL(WINAPI* adjust_window_rect_ex_for_dpi)(RECT*, DWORD, BOOL, DWORD, UINT) = nullptr;
  int(WINAPI* get_system_metrics_for_dpi)(int, UINT) = nullptr;
  BOOL(WINAPI* enable_non_client_dpi_scaling)(HWND) = nullptr;
};

// The system's DPI functions, looked up once per process on first use.
const DpiFunctions& dpi_functions();

// The pointer functions of Windows 8 and later, for touch and pen input.
struct PointerFunctions {
  BOOL(WINAPI* get_pointer_touch_info)(UINT32, POINTER_TOUCH_INFO*) = nullptr;
  BOOL(WINAPI* get_pointer_pen_info)(UINT32, POINTER_PEN_INFO*) = nullptr;
  BOOL(WINAPI* skip_pointer_frame_messages)(UINT32) = nullptr;
};

// The system's pointer functions, looked up once per process on first use.
const PointerFunctions& pointer_functions();

// The theme library's undocumented exports, taken by ordinal.
struct ThemeFunctions {
  // 135: AllowDarkModeForApp(BOOL) before build 18362, SetPreferredAppMode(mode) from it on.
  int(WINAPI* set_preferred_app_mode)(int) = nullptr;
  // 104: RefreshImmersiveColorPolicyState.
  void(WINAPI* refresh_immersive_color_policy_state)() = nullptr;
  // 133: AllowDarkModeForWindow.
  BOOLEAN(WINAPI* allow_dark_mode_for_window)(HWND, BOOLEAN) = nullptr;
  // 132: ShouldAppsUseDarkMode.
  BOOLEAN(WINAPI* should_apps_use_dark_mode)() = nullptr;
};

// "uxtheme.dll" loaded once with LoadLibraryA, its exports looked up once.
const ThemeFunctions& theme_functions();

}  // namespace corvane
