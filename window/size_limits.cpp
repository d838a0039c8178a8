#include "window/size_limits.h"

#include <cmath>
#include <limits>

#include "window/dpi.h"
#include "window/window_size.h"
#include "window/windows_version.h"

namespace corvane {
namespace {

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

// Windows 11 suggests a rectangle that already fits the new DPI. Before it, the suggestion only places
// the window: the rectangle is built around the new client size at the suggested position, keeps the
// cursor where it was in the title bar while the user drags, and stays on the window's own monitor.
RECT rectangle_for_client_size(HWND window, const RECT& suggested, DWORD style, DWORD ex_style,
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

// WM_DPICHANGED carries the new DPI in both words of wParam. The system sends one of the scale factors
// Windows offers, 100 % to 500 %; anything else was posted by another program, and a DPI of 0 would
// make a scale factor no conversion takes.
constexpr UINT kLowestDpi = 96, kHighestDpi = 480;

std::optional<UINT> dpi_sent_by_the_system(WPARAM wparam) {
  const UINT dpi = LOWORD(wparam);
  if (wparam != MAKEWPARAM(dpi, dpi) || dpi < kLowestDpi || dpi > kHighestDpi) return std::nullopt;
  return dpi;
}

// WM_DPICHANGED carries a pointer to the suggested rectangle, and any program can post it: a
// pointer that is not readable memory of this process is not the system's.
bool holds_rect(LPARAM lparam) {
  const auto* rect = reinterpret_cast<const BYTE*>(lparam);
  MEMORY_BASIC_INFORMATION region;
  if (rect == nullptr || VirtualQuery(rect, &region, sizeof region) == 0) return false;
  constexpr DWORD kReadable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                              PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
  const auto* region_end = static_cast<const BYTE*>(region.BaseAddress) + region.RegionSize;
  return region.State == MEM_COMMIT && (region.Protect & kReadable) && !(region.Protect & PAGE_GUARD) &&
         rect + sizeof(RECT) <= region_end;
}

// What the window knew before the change; none when the DPI did not change.
struct ScaleChange {
  double old_scale, new_scale;
  bool resize_allowed;  // a maximized window keeps the size the system gives it
  bool decorated;
};

std::optional<ScaleChange> store_new_scale(WindowState& state, double new_scale) {
  std::lock_guard guard(state.lock);
  const double old_scale = std::exchange(state.scale_factor, new_scale);
  if (std::fabs(new_scale - old_scale) < std::numeric_limits<double>::epsilon()) return std::nullopt;
  return ScaleChange{old_scale, new_scale, !state.flags.has(WindowFlags::Maximized),
                     state.flags.has(WindowFlags::Decorated)};
}

PhysicalSize current_client_size(HWND window) {
  RECT client{};
  if (!GetClientRect(window, &client)) client = {};
  return {static_cast<std::uint32_t>(client.right - client.left),
          static_cast<std::uint32_t>(client.bottom - client.top)};
}

// The same logical size at the new scale, unless the window may not be resized or the system does not
// show window contents while dragging.
PhysicalSize client_size_at_new_scale(PhysicalSize old_size, const ScaleChange& change) {
  BOOL drag_full_windows = FALSE;
  if (!SystemParametersInfoW(SPI_GETDRAGFULLWINDOWS, 0, &drag_full_windows, 0)) drag_full_windows = FALSE;
  return client_size_for_new_scale(old_size, change.old_scale, change.new_scale, change.resize_allowed,
                                   drag_full_windows);
}

// Tells the handler; one that runs at once may change the size.
PhysicalSize deliver_scale_change(HWND window, WindowData& data, double scale, PhysicalSize size) {
  LoopEvent event = loop_event::Window{window, window_event::ScaleChanged{scale, size}};
  if (!data.runner->deliver_event(event)) return size;
  return std::get<window_event::ScaleChanged>(std::get<loop_event::Window>(event).kind).new_size;
}

// A window whose size changes is no longer maximized. Returns the flags as they were.
WindowFlags leave_maximized_if_resized(HWND window, WindowState& state, PhysicalSize old_size,
                                       PhysicalSize new_size) {
  WindowFlags old_flags, new_flags;
  {
    std::lock_guard guard(state.lock);
    old_flags = new_flags = state.flags;
    if (new_size != old_size) new_flags = state.flags = old_flags.with(WindowFlags::Maximized, false);
  }
  if (new_flags != old_flags) apply_window_flags(old_flags, window, new_flags);
  return old_flags;
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

void on_dpi_changed(HWND window, WindowData& data, WPARAM wparam, LPARAM lparam) {
  const std::optional<UINT> dpi = dpi_sent_by_the_system(wparam);
  if (!dpi || !holds_rect(lparam)) return;
  const RECT suggested = *reinterpret_cast<const RECT*>(lparam);
  WindowState& state = *data.state;
  const std::optional<ScaleChange> change = store_new_scale(state, scale_from_dpi(*dpi));
  if (!change) return;
  const DWORD style = frame_style(window, change->decorated);
  const auto ex_style = static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE));
  const PhysicalSize old_size = current_client_size(window);
  const PhysicalSize new_size =
      deliver_scale_change(window, data, change->new_scale, client_size_at_new_scale(old_size, *change));
  const WindowFlags old_flags = leave_maximized_if_resized(window, state, old_size, new_size);
  const RECT r = windows_version().build >= 22000
                     ? suggested
                     : rectangle_for_client_size(window, suggested, style, ex_style, new_size,
                                                 old_flags.has(WindowFlags::InSizeMove));
  SetWindowPos(window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace corvane
