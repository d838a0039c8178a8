#pragma once
// Reading DPIs, adjusting window rectangles for them, and finding monitors.
#include <windows.h>

#include <optional>
#include <vector>

#include "window/optional_functions.h"

namespace corvane {

// GetDpiForWindow, else the monitor's effective DPI, else the device context's LOGPIXELSX for a
// DPI-aware process, else 96.
UINT window_dpi(HWND window, const DpiFunctions& functions = dpi_functions());
UINT monitor_dpi(HMONITOR monitor, const DpiFunctions& functions = dpi_functions());

// The window's style as its frame is measured: without caption and sizing border when undecorated.
DWORD frame_style(HWND window, bool decorated);

// The window rectangle around a client rectangle, for the window's menu, DPI and styles (its own,
// without caption and sizing frame when it is not decorated).
std::optional<RECT> adjust_window_rect(HWND window, RECT client, bool decorated,
                                       const DpiFunctions& functions = dpi_functions());
std::optional<RECT> adjust_window_rect_with_styles(HWND window, RECT client, DWORD style, DWORD ex_style,
                                                   const DpiFunctions& functions = dpi_functions());

int system_metric_for_dpi(int index, UINT dpi, const DpiFunctions& functions = dpi_functions());

HMONITOR primary_monitor();
HMONITOR window_monitor(HWND window);
std::vector<HMONITOR> all_monitors();

struct MonitorInfoResult {
  std::optional<MONITORINFOEXW> info;
  DWORD error = 0;  // GetLastError when there is no info
};
MonitorInfoResult monitor_info(HMONITOR monitor);

}  // namespace corvane
