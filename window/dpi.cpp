#include "window/dpi.h"

#include "support/fatal.h"
#include "support/last_error.h"

namespace corvane {

UINT window_dpi(HWND window, const DpiFunctions& functions) {
  if (functions.get_dpi_for_window) {
    const UINT dpi = functions.get_dpi_for_window(window);
    return dpi == 0 ? USER_DEFAULT_SCREEN_DPI : dpi;
  }
  if (functions.get_dpi_for_monitor) {
    HMONITOR monitor = MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
    if (monitor == nullptr || monitor == reinterpret_cast<HMONITOR>(-1)) return USER_DEFAULT_SCREEN_DPI;
    UINT x = 0, y = 0;
    return SUCCEEDED(functions.get_dpi_for_monitor(monitor, MDT_EFFECTIVE_DPI, &x, &y))
               ? x
               : USER_DEFAULT_SCREEN_DPI;
  }
  if (IsProcessDPIAware()) {
    HDC dc = GetDC(window);
    if (dc == nullptr) fatal("GetDC failed while reading the window's DPI");
    const int dpi = GetDeviceCaps(dc, LOGPIXELSX);
    ReleaseDC(window, dc);
    return static_cast<UINT>(dpi);
  }
  return USER_DEFAULT_SCREEN_DPI;
}

UINT monitor_dpi(HMONITOR monitor, const DpiFunctions& functions) {
  UINT x = 0, y = 0;
  if (functions.get_dpi_for_monitor &&
      SUCCEEDED(functions.get_dpi_for_monitor(monitor, MDT_EFFECTIVE_DPI, &x, &y))) {
    return x;
  }
  return USER_DEFAULT_SCREEN_DPI;
}

DWORD frame_style(HWND window, bool decorated) {
  const auto style = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
  return decorated ? style : style & ~static_cast<DWORD>(WS_CAPTION | WS_THICKFRAME);
}

std::optional<RECT> adjust_window_rect(HWND window, RECT client, bool decorated,
                                       const DpiFunctions& functions) {
  const DWORD style = frame_style(window, decorated);
  const auto ex_style = static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE));
  return adjust_window_rect_with_styles(window, client, style, ex_style, functions);
}

std::optional<RECT> adjust_window_rect_with_styles(HWND window, RECT client, DWORD style, DWORD ex_style,
                                                   const DpiFunctions& functions) {
  HMENU menu = GetMenu(window);
  const BOOL has_menu = menu != nullptr && menu != reinterpret_cast<HMENU>(-1);
  RECT rect = client;
  if (functions.get_dpi_for_window && functions.adjust_window_rect_ex_for_dpi) {
    if (!functions.adjust_window_rect_ex_for_dpi(&rect, style, has_menu, ex_style,
                                                 functions.get_dpi_for_window(window))) {
      return std::nullopt;
    }
    return rect;
  }
  if (!AdjustWindowRectEx(&rect, style, has_menu, ex_style)) {
    ignore_last_error();
    return std::nullopt;
  }
  return rect;
}

int system_metric_for_dpi(int index, UINT dpi, const DpiFunctions& functions) {
  return functions.get_system_metrics_for_dpi ? functions.get_system_metrics_for_dpi(index, dpi)
                                              : GetSystemMetrics(index);
}

HMONITOR primary_monitor() {
  return MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
}

HMONITOR window_monitor(HWND window) {
  return MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
}

std::vector<HMONITOR> all_monitors() {
  std::vector<HMONITOR> monitors;
  EnumDisplayMonitors(
      nullptr, nullptr,
      [](HMONITOR monitor, HDC, RECT*, LPARAM list) noexcept -> BOOL {
        reinterpret_cast<std::vector<HMONITOR>*>(list)->push_back(monitor);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&monitors));
  return monitors;
}

MonitorInfoResult monitor_info(HMONITOR monitor) {
  MONITORINFOEXW info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(monitor, &info)) return {std::nullopt, GetLastError()};
  return {info, 0};
}

}  // namespace corvane
