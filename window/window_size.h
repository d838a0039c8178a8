#pragma once
// The size arithmetic of window creation, size limits and DPI changes. Pure.
#include <windows.h>

#include <optional>

#include "window/scale.h"
#include "window/window_state.h"

namespace corvane {

// The client size a new window asks for: the desired size (800 x 600 physical when none) kept
// within the minimum and maximum, rounded, and at most 2147483647 each way.
PhysicalSize initial_client_size(const std::optional<Size>& inner_size, const SizeConstraints& constraints,
                                 double scale_factor);

// A tracking limit's client size (the minimum or the maximum), when either dimension is limited; a
// dimension without a limit takes the system's tracking size (a physical value).
std::optional<PhysicalSize> tracking_client_size(const std::optional<Length>& width,
                                                 const std::optional<Length>& height, double scale_factor,
                                                 int system_width, int system_height);

// The client size after the window's DPI changed: the same logical size at the new scale, unless
// the window may not be resized or the system does not show window contents while dragging.
PhysicalSize client_size_for_new_scale(PhysicalSize old_size, double old_scale, double new_scale,
                                       bool resize_allowed, bool drag_full_windows);

// Moves a window rectangle dragged onto a monitor of another DPI so that the cursor keeps its
// relative place along the title bar.
RECT keep_cursor_position(RECT window, LONG cursor_x, RECT suggested);

// The one-pixel step that moves a rectangle from the monitor it landed on back towards the target
// monitor it borders.
POINT nudge_step(RECT wrong_monitor, RECT target_monitor);

}  // namespace corvane
