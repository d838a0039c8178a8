#include "window/window_flags.h"

#include "support/last_error.h"
#include "window/registered_messages.h"

namespace corvane {

WindowStyles flags_to_styles(WindowFlags flags) {
  DWORD style = WS_CLIPSIBLINGS | WS_CAPTION | WS_SYSMENU;
  DWORD ex_style = WS_EX_WINDOWEDGE | WS_EX_ACCEPTFILES;
  if (flags.has(WindowFlags::Resizable)) style |= WS_THICKFRAME;
  if (flags.has(WindowFlags::Visible)) style |= WS_VISIBLE;
  if (flags.has(WindowFlags::Minimizable)) style |= WS_MINIMIZEBOX;
  if (flags.has(WindowFlags::Maximizable)) style |= WS_MAXIMIZEBOX;
  if (flags.has(WindowFlags::Maximized)) style |= WS_MAXIMIZE;
  if (flags.has(WindowFlags::Minimized)) style |= WS_MINIMIZE;
  if (flags.has(WindowFlags::OnTaskbar)) ex_style |= WS_EX_APPWINDOW;
  if (!flags.has(WindowFlags::Focusable)) ex_style |= WS_EX_NOACTIVATE;
  return {style, ex_style};
}

const WindowCalls& system_window_calls() {
  static const WindowCalls calls{ShowWindow,     GetSystemMenu, EnableMenuItem,
                                 SetWindowLongW, SetWindowPos,  SendMessageW};
  return calls;
}

void apply_window_flags(WindowFlags old_flags, HWND window, WindowFlags new_flags, const WindowCalls& calls) {
  std::uint32_t changed = old_flags.bits ^ new_flags.bits;
  if (changed == 0) return;
  const auto did_change = [&](WindowFlags::Bit bit) { return (changed & bit) != 0; };

  if (new_flags.has(WindowFlags::Visible) &&
      (new_flags.has(WindowFlags::Maximized) || did_change(WindowFlags::Maximized))) {
    calls.show_window(window, new_flags.has(WindowFlags::Maximized) ? SW_MAXIMIZE : SW_RESTORE);
  }
  if (did_change(WindowFlags::Minimized)) {
    calls.show_window(window, new_flags.has(WindowFlags::Minimized) ? SW_MINIMIZE : SW_RESTORE);
    changed &= ~std::uint32_t{WindowFlags::Minimized};
  }
  if (new_flags.has(WindowFlags::Closable) || did_change(WindowFlags::Closable)) {
    calls.enable_menu_item(calls.get_system_menu(window, FALSE), SC_CLOSE,
                           MF_BYCOMMAND | (new_flags.has(WindowFlags::Closable) ? MF_ENABLED : MF_GRAYED));
  }
  if (!new_flags.has(WindowFlags::Visible)) calls.show_window(window, SW_HIDE);
  if (changed != 0) {
    WindowStyles styles = flags_to_styles(new_flags);
    // A window that was hidden is shown below, not by its style.
    if (!old_flags.has(WindowFlags::Visible)) styles.style &= ~static_cast<DWORD>(WS_VISIBLE);
    const UINT retain = registered_message(RegisteredMessage::SetRetainMaximized);
    calls.send_message(window, retain, 1, 0);
    if (!new_flags.has(WindowFlags::Minimized)) {
      calls.set_window_long(window, GWL_STYLE, static_cast<LONG>(styles.style));
      calls.set_window_long(window, GWL_EXSTYLE, static_cast<LONG>(styles.ex_style));
    }
    if (!calls.set_window_pos(window, nullptr, 0, 0, 0, 0,
                              SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED)) {
      ignore_last_error();
    }
    calls.send_message(window, retain, 0, 0);
  }
  if (new_flags.has(WindowFlags::Visible)) calls.show_window(window, SW_SHOW);
}

}  // namespace corvane
