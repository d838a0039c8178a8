#include "window/window_focus.h"

#include <utility>

#include "window/window_input.h"

namespace corvane {
namespace {

void focus_gained(HWND window, WindowData& data) {
  refresh_modifiers(window, data);
  data.deliver(window, window_event::FocusChanged{true});
}

void focus_lost(HWND window, WindowData& data) {
  {
    std::lock_guard guard(data.state->lock);
    data.state->modifiers = 0;
  }
  data.deliver(window, window_event::ModifiersChanged{0});
  data.deliver(window, window_event::FocusChanged{false});
}

void on_set_focus(HWND window, WindowData& data) {
  bool was_focused, active;
  {
    std::lock_guard guard(data.state->lock);
    was_focused = std::exchange(data.state->focused, true);
    active = data.state->active;
  }
  if (!was_focused && active) focus_gained(window, data);
}

void on_kill_focus(HWND window, WindowData& data) {
  bool focused, active;
  {
    std::lock_guard guard(data.state->lock);
    focused = data.state->focused;
    active = data.state->active;
  }
  if (focused && active) focus_lost(window, data);
  std::lock_guard guard(data.state->lock);
  data.state->focused = false;
}

// The event goes out when the second of activation and focus arrives.
void on_nc_activate(HWND window, WindowData& data, bool active) {
  bool changed, focused;
  {
    std::lock_guard guard(data.state->lock);
    changed = std::exchange(data.state->active, active) != active;
    focused = data.state->focused;
  }
  if (changed && focused) active ? focus_gained(window, data) : focus_lost(window, data);
}

}  // namespace

MessageStep handle_focus(HWND window, WindowData& data, UINT msg, WPARAM wparam) {
  switch (msg) {
    case WM_SETFOCUS:
      on_set_focus(window, data);
      return answered(0);
    case WM_KILLFOCUS:
      on_kill_focus(window, data);
      return answered(0);
    case WM_NCACTIVATE:
      on_nc_activate(window, data, wparam != 0);
      return answered(kDefault);
    default:
      return kNotThisStep;
  }
}

}  // namespace corvane
