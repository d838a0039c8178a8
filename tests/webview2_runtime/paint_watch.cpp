// For the start-up benchmark (CORVANE_WEBVIEW2_TIMES): when the host's window first paints maximized.
#include "tests/webview2_runtime/runtime.h"

namespace corvane::test_runtime {
namespace {

HHOOK g_hook = nullptr;

// Sees each message the UI thread takes from its queue; logs the first paint of a maximized top-level
// window, then lets go.
LRESULT CALLBACK on_message_taken(int code, WPARAM remove, LPARAM message) {
  const auto* msg = reinterpret_cast<const MSG*>(message);
  if (code == HC_ACTION && remove == PM_REMOVE && msg->message == WM_PAINT && g_hook &&
      GetAncestor(msg->hwnd, GA_ROOT) == msg->hwnd && IsZoomed(msg->hwnd)) {
    log_line("window painted");
    UnhookWindowsHookEx(std::exchange(g_hook, nullptr));
    return 0;
  }
  return CallNextHookEx(nullptr, code, remove, message);
}

}  // namespace

void watch_first_paint() {
  if (GetEnvironmentVariableW(L"CORVANE_WEBVIEW2_TIMES", nullptr, 0) == 0 || g_hook) return;
  g_hook = SetWindowsHookExW(WH_GETMESSAGE, on_message_taken, nullptr, GetCurrentThreadId());
}

}  // namespace corvane::test_runtime
