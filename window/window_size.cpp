#include "window/window_size.h"

#include <algorithm>
#include <cmath>

namespace corvane {
namespace {

constexpr double kMaxU32 = 4294967295.0;

double clamp_dimension(double desired, std::optional<std::uint32_t> minimum,
                       std::optional<std::uint32_t> maximum) {
  const double low = minimum ? *minimum : 0.0;
  const double high = maximum ? *maximum : kMaxU32;
  // A minimum above the maximum wins rather than being undefined.
  return std::max(low, std::min(desired, high));
}

std::optional<std::uint32_t> physical(const std::optional<Length>& length, double scale_factor) {
  if (!length) return std::nullopt;
  return to_physical_u32(*length, scale_factor);
}

std::uint32_t to_signed_range(double value) {
  return std::min<std::uint32_t>(round_to_u32(value), 2147483647u);
}

}  // namespace

PhysicalSize initial_client_size(const std::optional<Size>& inner_size, const SizeConstraints& constraints,
                                 double scale_factor) {
  const UnroundedPhysicalSize desired =
      to_unrounded_physical(inner_size.value_or(Size{PhysicalSize{800, 600}}), scale_factor);
  const double width = clamp_dimension(desired.width, physical(constraints.min_width, scale_factor),
                                       physical(constraints.max_width, scale_factor));
  const double height = clamp_dimension(desired.height, physical(constraints.min_height, scale_factor),
                                        physical(constraints.max_height, scale_factor));
  return {to_signed_range(width), to_signed_range(height)};
}

std::optional<PhysicalSize> tracking_client_size(const std::optional<Length>& width,
                                                 const std::optional<Length>& height, double scale_factor,
                                                 int system_width, int system_height) {
  if (!width && !height) return std::nullopt;
  return PhysicalSize{to_physical_u32(width.value_or(Length{PhysicalLength{system_width}}), scale_factor),
                      to_physical_u32(height.value_or(Length{PhysicalLength{system_height}}), scale_factor)};
}

PhysicalSize client_size_for_new_scale(PhysicalSize old_size, double old_scale, double new_scale,
                                       bool resize_allowed, bool drag_full_windows) {
  if (!resize_allowed || !drag_full_windows) return old_size;
  const LogicalSize logical = to_logical(old_size, old_scale);
  return {to_physical_u32(logical.width, new_scale), to_physical_u32(logical.height, new_scale)};
}

RECT keep_cursor_position(RECT window, LONG cursor_x, RECT suggested) {
  const double ratio = double(cursor_x - suggested.left) / double(suggested.right - suggested.left);
  const LONG width = window.right - window.left;
  const double offset = std::trunc(width * ratio);
  const LONG limited = std::isnan(offset)        ? 0
                       : offset <= -2147483648.0 ? INT32_MIN
                       : offset >= 2147483647.0  ? INT32_MAX
                                                 : static_cast<LONG>(offset);
  window.left = cursor_x - limited;
  window.right = window.left + width;
  return window;
}

POINT nudge_step(RECT wrong_monitor, RECT target_monitor) {
  POINT step{0, 0};
  if (wrong_monitor.left == target_monitor.right) {
    step.x = -1;
  } else if (wrong_monitor.right == target_monitor.left) {
    step.x = 1;
  }
  if (wrong_monitor.bottom == target_monitor.top) {
    step.y = 1;
  } else if (wrong_monitor.top == target_monitor.bottom) {
    step.y = -1;
  }
  return step;
}

}  // namespace corvane
