#include "window/event_loop.h"

#include "support/fatal.h"
#include "support/last_error.h"
#include "window/owed_posts.h"
#include "window/process_setup.h"
#include "window/registered_messages.h"
#include "window/thread_target.h"
#include "window/wait_thread.h"
#include "window/window_data_owner.h"

namespace corvane {
namespace {

// Taken by a static initializer, so before the program's entry point, on the process's first thread.
const DWORD g_first_thread_id = GetCurrentThreadId();

HINSTANCE own_module() {
  return GetModuleHandleW(nullptr);
}

HWND create_thread_target_window() {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = thread_target_procedure;
  window_class.hInstance = own_module();
  window_class.lpszClassName = kThreadTargetClass;
  RegisterClassExW(&window_class);  // a second loop finds the class registered already
  HWND window =
      CreateWindowExW(WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT,
                      kThreadTargetClass, nullptr, 0, 0, 0, 0, 0, nullptr, nullptr, own_module(), nullptr);
  if (window == nullptr) {
    ignore_last_error();
    return nullptr;
  }
  // Visible, so that it receives the paint messages that close the cycles; with no size, layered
  // and a tool window it never shows and never appears on the taskbar.
  SetWindowLongPtrW(window, GWL_STYLE, WS_POPUP | WS_VISIBLE);
  return window;
}

void register_raw_input(HWND thread_target) {
  RAWINPUTDEVICE devices[2] = {
      {0x01, 0x02, RIDEV_DEVNOTIFY, thread_target},  // mouse
      {0x01, 0x06, RIDEV_DEVNOTIFY, thread_target},  // keyboard
  };
  RegisterRawInputDevices(devices, 2, sizeof(RAWINPUTDEVICE));
}

}  // namespace

std::unique_ptr<EventLoop> create_event_loop() {
  if (GetCurrentThreadId() != g_first_thread_id) {
    fatal(
        "Initializing the event loop outside of the main thread is a significant cross-platform compatibility hazard. Corvane creates its event loop on the process's main thread only.");
  }
  make_process_dpi_aware_once();
  UniqueOwnWindow thread_target(create_thread_target_window());
  allow_dark_mode_for_app(windows_version(), theme_functions());
  const DWORD loop_thread_id = GetCurrentThreadId();
  const DWORD wait_thread_id = start_wait_thread(thread_target.get(), loop_thread_id);
  auto runner = std::make_shared<EventLoopRunner>(thread_target.get(), wait_thread_id);
  auto channel = std::make_shared<UserEventChannel>();
  UserEventSender sender(channel, thread_target.get());
  if (thread_target) {
    WindowDataOwner<ThreadTargetData>::attach(
        thread_target.get(),
        std::make_unique<ThreadTargetData>(ThreadTargetData{UserEventReceiver(channel), runner}));
  }
  register_raw_input(thread_target.get());
  return std::make_unique<EventLoop>(std::move(sender), std::move(runner), std::move(thread_target),
                                     loop_thread_id);
}

void run_on_loop_thread(DWORD loop_thread_id, HWND thread_target, std::function<void()> closure) {
  if (GetCurrentThreadId() == loop_thread_id) {
    closure();
    return;
  }
  if (!post_owed_closure(thread_target, registered_message(RegisteredMessage::ExecMsg), std::move(closure)))
    ignore_last_error();
}

}  // namespace corvane
