#pragma once
// What a top-level window keeps about itself, shared by its MainWindow and its window procedure.
#include <windows.h>

#include <mutex>
#include <optional>

#include "support/handles.h"
#include "window/loop_events.h"
#include "window/scale.h"
#include "window/window_flags.h"

namespace corvane {

struct SizeConstraints {
  std::optional<Length> min_width, min_height, max_width, max_height;
};

struct PointerState {
  std::uint32_t capture_count = 0;
  bool inside = false;
  std::optional<PhysicalPosition> last_position;
};

// Guarded by its own lock, taken only for short reads and updates and never held while an event is
// delivered or apply_window_flags runs.
struct WindowState {
  std::mutex lock;
  WindowFlags flags;
  double scale_factor = 1.0;
  SizeConstraints constraints;
  SharedIcon window_icon;
  Theme current_theme = Theme::Light;
  std::optional<Theme> preferred_theme;
  // Set by release_window: the only "Corvane::DestroyMsg" the window obeys is the one it posted.
  bool destroy_requested = false;
  bool active = false;
  bool focused = false;
  std::uint32_t modifiers = 0;
  PointerState pointer;
};

}  // namespace corvane
