#include "window/size_limits.h"

#include <cmath>
#include <limits>

#include "window/dpi.h"
#include "window/window_size.h"
#include "window/windows_version.h"

namespace corvane {
namespace {

// The window styles as adjust_window_rect would see them.
DWORD frame_style(HWND window, bool decorated) {
  auto style = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
  return decorated ? style : style & ~static_cast<DWORD>(WS_CAPTION | WS_THICKFRAME);
}

RECT monitor_rect(HMONITOR monitor) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoW(monitor, &info);
  return info.rcMonitor;
}

// Moves r pixel by pixel onto the window's own monitor when the new rectangle fell onto another.
void nudge_onto_window_monitor(HWND window, RECT& r) {
  HMONITOR target = MonitorFromWindow(window, MONITOR_DEFAULTTONULL);
  HMONITOR landed = MonitorFromRect(&r, MONITOR_DEFAULTTONULL);
  if (landed == target) return;
  const RECT target_rect = monitor_rect(target);
  const POINT step = nudge_step(monitor_rect(landed), target_rect);
  const long tries = long{target_rect.right - target_rect.left} + (target_rect.bottom - target_rect.top);
  for (long i = 0; i < tries; ++i) {
    OffsetRect(&r, step.x, step.y);
    if (MonitorFromRect(&r, MONITOR_DEFAULTTONULL) == target) break;
  }
}

RECT place_before_build_22000(HWND window, const RECT& suggested, DWORD style, DWORD ex_style,
                              PhysicalSize size, bool in_size_move) {
  const std::optional<RECT> adjusted = adjust_window_rect_with_styles(window, suggested, style, ex_style);
  const LONG margin_left = adjusted ? suggested.left - adjusted->left : 0;
  const LONG margin_top = adjusted ? suggested.top - adjusted->top : 0;
  const LONG left = suggested.left + margin_left, top = suggested.top + margin_top;
  RECT r{left, top, left + static_cast<LONG>(size.width), top + static_cast<LONG>(size.height)};
  r = adjust_window_rect_with_styles(window, r, style, ex_style).value_or(r);
  if (in_size_move) {
    POINT cursor{};
    if (GetCursorPos(&cursor)) r = keep_cursor_position(r, cursor.x, suggested);
  }
  nudge_onto_window_monitor(window, r);
  return r;
}

}  // namespace

void on_get_min_max_info(HWND window, WindowData& data, MINMAXINFO* info) {
  WindowState& state = *data.state;
  std::lock_guard guard(state.lock);
  const bool decorated = state.flags.has(WindowFlags::Decorated);
  const auto track_size = [&](std::optional<PhysicalSize> client) -> std::optional<POINT> {
    if (!client) return std::nullopt;
    const RECT rect{0, 0, static_cast<LONG>(client->width), static_cast<LONG>(client->height)};
    const RECT frame = adjust_window_rect(window, rect, decorated).value_or(rect);
    return POINT{frame.right - frame.left, frame.bottom - frame.top};
  };
  const SizeConstraints& c = state.constraints;
  if (const auto minimum = track_size(tracking_client_size(c.min_width, c.min_height, state.scale_factor,
                                                           GetSystemMetrics(SM_CXMINTRACK),
                                                           GetSystemMetrics(SM_CYMINTRACK)))) {
    info->ptMinTrackSize = *minimum;
  }
  if (const auto maximum = track_size(tracking_client_size(c.max_width, c.max_height, state.scale_factor,
                                                           GetSystemMetrics(SM_CXMAXTRACK),
                                                           GetSystemMetrics(SM_CYMAXTRACK)))) {
    info->ptMaxTrackSize = *maximum;
  }
}

void on_dpi_changed(HWND window, WindowData& data, WPARAM wparam, const RECT& suggested) {
  WindowState& state = *data.state;
  const double new_scale = scale_from_dpi(LOWORD(wparam));
  double old_scale;
  bool resize_allowed, decorated;
  {
    std::lock_guard guard(state.lock);
    old_scale = std::exchange(state.scale_factor, new_scale);
    if (std::fabs(new_scale - old_scale) < std::numeric_limits<double>::epsilon()) return;
    resize_allowed = !state.flags.has(WindowFlags::Maximized);
    decorated = state.flags.has(WindowFlags::Decorated);
  }
  const DWORD style = frame_style(window, decorated);
  const auto ex_style = static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE));

  RECT client{};
  if (!GetClientRect(window, &client)) client = {};
  const PhysicalSize old_size{static_cast<std::uint32_t>(client.right - client.left),
                              static_cast<std::uint32_t>(client.bottom - client.top)};
  BOOL drag_full_windows = FALSE;
  if (!SystemParametersInfoW(SPI_GETDRAGFULLWINDOWS, 0, &drag_full_windows, 0)) drag_full_windows = FALSE;
  PhysicalSize new_size =
      client_size_for_new_scale(old_size, old_scale, new_scale, resize_allowed, drag_full_windows);

  LoopEvent event = loop_event::Window{window, window_event::ScaleChanged{new_scale, new_size}};
  if (data.runner->deliver_event(event)) {
    new_size = std::get<window_event::ScaleChanged>(std::get<loop_event::Window>(event).kind).new_size;
  }

  WindowFlags old_flags, new_flags;
  {
    std::lock_guard guard(state.lock);
    old_flags = new_flags = state.flags;
    if (new_size != old_size) new_flags = state.flags = old_flags.with(WindowFlags::Maximized, false);
  }
  if (new_flags != old_flags) apply_window_flags(old_flags, window, new_flags);

  const bool in_size_move = old_flags.has(WindowFlags::InSizeMove);
  const RECT r = windows_version().build >= 22000
                     ? suggested
                     : place_before_build_22000(window, suggested, style, ex_style, new_size, in_size_move);
  SetWindowPos(window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace corvane
