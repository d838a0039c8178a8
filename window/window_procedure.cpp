#include "window/window_procedure.h"

#include "support/last_error.h"
#include "window/main_window.h"
#include "window/registered_messages.h"
#include "window/size_limits.h"
#include "window/window_destruction.h"
#include "window/window_input.h"
#include "window/window_theme.h"

namespace corvane {
namespace {

// Records what the system did to the window: the bit is stored, and nothing is applied to the window.
void record_flag(WindowData& data, WindowFlags::Bit bit, bool on) {
  std::lock_guard guard(data.state->lock);
  data.state->flags = data.state->flags.with(bit, on);
}

// Any program can post "Corvane::DestroyMsg"; only release_window's counts.
bool destroy_requested(WindowData& data) {
  std::lock_guard guard(data.state->lock);
  return data.state->destroy_requested;
}

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

// Activation and focus arrive in either order; the event goes out when the second of the two does.
void on_nc_activate(HWND window, WindowData& data, bool active) {
  bool changed, focused;
  {
    std::lock_guard guard(data.state->lock);
    changed = std::exchange(data.state->active, active) != active;
    focused = data.state->focused;
  }
  if (changed && focused) active ? focus_gained(window, data) : focus_lost(window, data);
}

void on_size(HWND window, WindowData& data, WPARAM kind, LPARAM size) {
  {
    std::lock_guard guard(data.state->lock);
    WindowFlags& flags = data.state->flags;
    if (!flags.has(WindowFlags::RetainStateOnSize))
      flags = flags.with(WindowFlags::Maximized, kind == SIZE_MAXIMIZED);
  }
  data.deliver(window, window_event::Resized{{LOWORD(size), HIWORD(size)}});
}

MessageStep handle_registered_message(HWND window, WindowData& data, UINT msg, WPARAM wparam) {
  if (is_message(msg, RegisteredMessage::DestroyMsg)) {
    if (destroy_requested(data) && !destroy_window(window)) ignore_last_error();
    return answered(0);
  }
  if (is_message(msg, RegisteredMessage::SetRetainMaximized)) {
    record_flag(data, WindowFlags::RetainStateOnSize, wparam != 0);
    return answered(0);
  }
  if (is_message(msg, RegisteredMessage::ChangeTheme)) {
    update_window_theme(data, window, false);
    return answered(0);
  }
  return kNotThisStep;  // "TaskbarCreated" among them: nothing to do for it
}

// The window's own messages.
MessageStep handle_window_message(HWND window, WindowData& data, UINT msg, WPARAM wparam, LPARAM lparam,
                                  MessageAnswer keyboard) {
  switch (msg) {
    case WM_CLOSE:
      data.deliver(window, window_event::CloseRequest{});
      return answered(0);
    case WM_DESTROY:
      if (!is_being_destroyed(window)) return answered(0);  // posted by someone else
      RevokeDragDrop(window);
      data.deliver(window, window_event::WindowDestroyed{});
      data.runner->unregister_window(window);
      return answered(0);
    case WM_NCDESTROY:
      if (!is_being_destroyed(window)) return answered(0);
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      data.removed = true;
      return answered(0);
    case WM_SIZE:
      on_size(window, data, wparam, lparam);
      return answered(0);
    case WM_WINDOWPOSCHANGED: {
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(lparam);
      if (!(pos->flags & SWP_NOMOVE)) data.deliver(window, window_event::Moved{{pos->x, pos->y}});
      return answered(kDefault);
    }
    case WM_WINDOWPOSCHANGING:
      return answered(0);
    case WM_GETMINMAXINFO:
      on_get_min_max_info(window, data, reinterpret_cast<MINMAXINFO*>(lparam));
      return answered(0);
    case WM_DPICHANGED:
      on_dpi_changed(window, data, wparam, lparam);
      return answered(0);
    case WM_ENTERSIZEMOVE:
    case WM_EXITSIZEMOVE:
      record_flag(data, WindowFlags::InSizeMove, msg == WM_ENTERSIZEMOVE);
      return answered(0);
    case WM_SYSCOMMAND:
      if ((wparam & 0xFFF0) == SC_MINIMIZE) record_flag(data, WindowFlags::Minimized, true);
      if ((wparam & 0xFFF0) == SC_RESTORE) record_flag(data, WindowFlags::Minimized, false);
      return answered(kDefault);
    case WM_SETFOCUS:
      on_set_focus(window, data);
      return answered(0);
    case WM_KILLFOCUS:
      on_kill_focus(window, data);
      return answered(0);
    case WM_NCACTIVATE:
      on_nc_activate(window, data, wparam != 0);
      return answered(kDefault);
    case WM_PAINT:
      data.runner->handle_top_level_paint(window);
      return answered(kDefault);
    case WM_SETCURSOR:
      if (LOWORD(lparam) != HTCLIENT) return answered(kDefault);
      if (HCURSOR cursor = LoadCursorW(nullptr, IDC_ARROW)) SetCursor(cursor);
      return answered(0);
    case WM_SETTINGCHANGE:
      update_window_theme(data, window, true);
      return answered(kDefault);
    case WM_NCLBUTTONDOWN:
      if (wparam == HTCAPTION && !PostMessageW(window, WM_MOUSEMOVE, 0, lparam)) ignore_last_error();
      data.deliver(window, window_event::NonClientClick{});
      return answered(kDefault);
    case WM_SYSKEYDOWN:
      // Alt+F4 goes on to DefWindowProcW, which turns it into SC_CLOSE and so WM_CLOSE.
      return answered(wparam == VK_F4 ? kDefault : keyboard);
    case WM_SYSCHAR:
      return answered(kDefault);
    default:
      return kNotThisStep;
  }
}

// The chain, in this order: the window's own messages, the mouse, touch and pen, the input method, the
// program's registered messages. A message no step takes gets what the keyboard steps left: 0 for a key
// message, default processing for any other.
MessageAnswer answer_message(HWND window, WindowData& data, UINT msg, WPARAM wparam, LPARAM lparam,
                             MessageAnswer keyboard) {
  MessageStep step = handle_window_message(window, data, msg, wparam, lparam, keyboard);
  if (!step.own) step = handle_mouse_input(window, data, msg, wparam, lparam);
  if (!step.own) step = handle_touch_input(window, data, msg, wparam, lparam);
  if (!step.own) step = handle_ime_input(window, data, msg);
  if (!step.own) step = handle_registered_message(window, data, msg, wparam);
  return step.own ? step.answer : keyboard;
}

LRESULT dispatch(HWND window, WindowData& data, UINT msg, WPARAM wparam, LPARAM lparam) {
  ++data.recursion_depth;
  // Closes the runner's current cycle once this message and all it causes are handled.
  request_internal_paint(data.runner->thread_target());
  MessageAnswer keyboard = kDefault;
  if (msg == WM_KEYDOWN || msg == WM_KEYUP || msg == WM_SYSKEYDOWN || msg == WM_SYSKEYUP) {
    refresh_modifiers(window, data);
    keyboard = 0;
  }
  if (msg == WM_SETFOCUS || msg == WM_KILLFOCUS || (msg >= WM_KEYDOWN && msg <= WM_SYSDEADCHAR)) {
    translate_keyboard(window, data, msg, wparam, lparam);
  }
  const MessageAnswer answer = answer_message(window, data, msg, wparam, lparam, keyboard);
  const LRESULT value = answer ? *answer : DefWindowProcW(window, msg, wparam, lparam);
  if (--data.recursion_depth == 0 && data.removed) delete &data;
  return value;
}

}  // namespace

LRESULT CALLBACK window_procedure(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) noexcept {
  auto* data = reinterpret_cast<WindowData*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (data == nullptr) {
    if (msg == WM_NCCREATE) return on_nc_create(window, wparam, lparam);
    if (msg == WM_CREATE) return -1;
    return DefWindowProcW(window, msg, wparam, lparam);
  }
  if (msg == WM_CREATE) return on_create(window, wparam, lparam);
  return dispatch(window, *data, msg, wparam, lparam);
}

void update_window_theme(WindowData& data, HWND window, bool from_settings_change,
                         const ThemeSystem& system) {
  WindowState& state = *data.state;
  Theme theme;
  {
    std::lock_guard guard(state.lock);
    std::optional<Theme> preference = state.preferred_theme;
    if (!preference) {
      std::lock_guard loop_guard(data.loop_theme->lock);
      preference = data.loop_theme->value;
    }
    // An explicit preference is not overridden by the system's settings.
    if (from_settings_change && preference) return;
    theme = resolve_window_theme(window, preference, !from_settings_change, system);
    if (theme == state.current_theme) return;
    state.current_theme = theme;
    // A switch of the system's theme is drawn only once the frame is painted again.
    if (from_settings_change) repaint_title_bar(window, system);
  }
  data.deliver(window, window_event::ThemeChanged{theme});
}

}  // namespace corvane
