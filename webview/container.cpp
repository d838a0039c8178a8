#include "webview/container.h"

#include <commctrl.h>

#include "window/owed_posts.h"
#include "window/registered_messages.h"
#include "window/window_destruction.h"

namespace corvane {
namespace {

constexpr UINT_PTR kContainerSubclassId = 1126;

LRESULT CALLBACK container_procedure(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) noexcept {
  if (msg == WM_SETFOCUS) {
    // Focus given to the container belongs to the web view inside it.
    if (HWND child = GetWindow(window, GW_CHILD)) SetFocus(child);
  }
  return DefWindowProcW(window, msg, wparam, lparam);
}

void register_container_class() {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.style = CS_HREDRAW | CS_VREDRAW;
  window_class.lpfnWndProc = container_procedure;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.lpszClassName = kContainerClass;
  if (RegisterClassExW(&window_class)) return;
  // The name is taken: by this procedure already, or by another, which must give way.
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExW(window_class.hInstance, kContainerClass, &existing) &&
      existing.lpfnWndProc != container_procedure) {
    UnregisterClassW(kContainerClass, window_class.hInstance);
    RegisterClassExW(&window_class);
  }
}

LRESULT CALLBACK container_subclass(HWND window, UINT msg, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                    DWORD_PTR) noexcept {
  if (is_message(msg, RegisteredMessage::WebViewExecMsg)) {
    run_owed_closures(window, wparam);
    return 0;
  }
  // A container that goes (the page closed its window) drops what it was still to run.
  if (msg == WM_NCDESTROY && is_being_destroyed(window)) drop_owed_closures(window);
  return DefSubclassProc(window, msg, wparam, lparam);
}

}  // namespace

WebViewResult<HWND> create_container(HWND parent) {
  register_container_class();
  RECT client;
  if (!GetClientRect(parent, &client)) return last_error_failure();
  HWND container = CreateWindowExW(0, kContainerClass, nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0,
                                   client.right - client.left, client.bottom - client.top, parent, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
  if (container == nullptr) return last_error_failure();
  if (!SetWindowPos(container, HWND_TOP, 0, 0, 0, 0,
                    SWP_ASYNCWINDOWPOS | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOOWNERZORDER | SWP_NOSIZE)) {
    return last_error_failure();
  }
  return container;
}

bool post_to_container(HWND container, std::function<void()> closure) {
  const UINT exec = registered_message(RegisteredMessage::WebViewExecMsg);
  if (exec == 0) return false;  // message 0 is never taken for it
  return post_owed_closure(container, exec, std::move(closure));
}

void install_container_subclass(HWND container) {
  SetWindowSubclass(container, container_subclass, kContainerSubclassId, 0);
}

}  // namespace corvane
