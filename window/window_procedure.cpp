#include "window/window_procedure.h"

#include "support/last_error.h"
#include "window/main_window.h"
#include "window/registered_messages.h"
#include "window/size_limits.h"
#include "window/window_data_owner.h"
#include "window/window_destroy_step.h"
#include "window/window_focus.h"
#include "window/window_input.h"
#include "window/window_theme.h"

namespace corvane {
namespace {

// Records what the system did to the window: the bit is stored, and nothing is applied to the window.
void record_flag(WindowData& data, WindowFlags::Bit bit, bool on) {
  std::lock_guard guard(data.state->lock);
  data.state->flags = data.state->flags.with(bit, on);
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

// The chain, in this order: the window's end, focus, the window's other messages, the mouse, touch and
// pen, the input method, the program's registered messages. A message no step takes gets what the keyboard
// steps left: 0 for a key message, default processing for any other.
MessageAnswer answer_message(HWND window, WindowData& data, UINT msg, WPARAM wparam, LPARAM lparam,
                             MessageAnswer keyboard) {
  MessageStep step = handle_destruction(window, data, msg);
  if (!step.own) step = handle_focus(window, data, msg, wparam);
  if (!step.own) step = handle_window_message(window, data, msg, wparam, lparam, keyboard);
  if (!step.own) step = handle_mouse_input(window, data, msg, wparam, lparam);
  if (!step.own) step = handle_touch_input(window, data, msg, wparam, lparam);
  if (!step.own) step = handle_ime_input(window, data, msg);
  if (!step.own) step = handle_registered_message(window, data, msg, wparam);
  return step.own ? step.answer : keyboard;
}

LRESULT dispatch(HWND window, WindowData& data, UINT msg, WPARAM wparam, LPARAM lparam) {
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
  return answer ? *answer : DefWindowProcW(window, msg, wparam, lparam);
}

}  // namespace

LRESULT CALLBACK window_procedure(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) noexcept {
  return WindowDataOwner<WindowData>::dispatch(
      window,
      [&](WindowData& data) {
        if (msg == WM_CREATE) return on_create(window, wparam, lparam);
        return dispatch(window, data, msg, wparam, lparam);
      },
      [&]() -> LRESULT {
        if (msg == WM_NCCREATE) return on_nc_create(window, wparam, lparam);
        if (msg == WM_CREATE) return -1;
        return DefWindowProcW(window, msg, wparam, lparam);
      });
}

}  // namespace corvane
