// The runtime's UI thread: the one thread its objects answer, and the messages through which it
// completes creations and raises page events there, as the real runtime does.
#include <atomic>
#include <memory>
#include <thread>

#include "tests/webview2_runtime/runtime.h"

namespace corvane::test_runtime {
namespace {

constexpr UINT kRunClosure = WM_APP + 0x57;

std::atomic<DWORD> g_ui_thread{0};
std::atomic<long> g_violations{0};
std::atomic<long> g_pending_page_events{0};
HWND g_message_window = nullptr;

void violation(const std::string& what) {
  ++g_violations;
  log_line("violation: " + what);
}

LRESULT CALLBACK message_window_procedure(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == kRunClosure) {
    const std::unique_ptr<std::function<void()>> closure(reinterpret_cast<std::function<void()>*>(wparam));
    (*closure)();
    return 0;
  }
  return DefWindowProcW(window, msg, wparam, lparam);
}

HWND create_message_window() {
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = message_window_procedure;
  window_class.lpszClassName = L"Corvane Test WebView Messages";
  RegisterClassW(&window_class);
  return CreateWindowExW(0, window_class.lpszClassName, nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                         nullptr, nullptr);
}

std::string apartment_name(HRESULT hr, APTTYPE type) {
  if (FAILED(hr)) return "no COM apartment (" + hex(hr) + ")";
  return type == APTTYPE_MTA ? "the multithreaded apartment" : "a neutral apartment";
}

}  // namespace

bool adopt_ui_thread() {
  g_ui_thread = GetCurrentThreadId();
  if (g_message_window == nullptr) g_message_window = create_message_window();
  APTTYPE type = APTTYPE_CURRENT;
  APTTYPEQUALIFIER qualifier = APTTYPEQUALIFIER_NONE;
  const HRESULT hr = CoGetApartmentType(&type, &qualifier);
  if (SUCCEEDED(hr) && (type == APTTYPE_STA || type == APTTYPE_MAINSTA)) return true;
  violation("the environment was created in " + apartment_name(hr, type) +
            ", not in a single-threaded apartment");
  return false;
}

bool on_ui_thread(const std::string& call) {
  const DWORD ui = g_ui_thread;
  if (ui == 0 || ui == GetCurrentThreadId()) return true;
  violation(call + " called on thread " + std::to_string(GetCurrentThreadId()) + ", not on the UI thread " +
            std::to_string(ui));
  return false;
}

HRESULT logged(const std::string& call, const std::string& args, HRESULT hr) {
  if (!on_ui_thread(call)) return RPC_E_WRONG_THREAD;
  if (const HRESULT failure = scripted_failure(call); FAILED(failure)) hr = failure;
  log_line(call + "(" + args + ") = " + hex(hr));
  return hr;
}

void post_to_ui_thread(std::function<void()> closure) {
  auto owned = std::make_unique<std::function<void()>>(std::move(closure));
  if (PostMessageW(g_message_window, kRunClosure, reinterpret_cast<WPARAM>(owned.get()), 0)) owned.release();
}

void post_after(std::optional<DWORD> delay_ms, std::function<void()> closure) {
  if (!delay_ms) return;  // the runtime never answers
  std::thread([delay = *delay_ms, closure = std::move(closure)]() mutable {
    Sleep(delay);
    post_to_ui_thread(std::move(closure));
  }).detach();
}

void post_page_event(std::function<void()> closure) {
  ++g_pending_page_events;
  post_to_ui_thread([closure = std::move(closure)] {
    closure();
    --g_pending_page_events;
  });
}

long pending_page_events() {
  return g_pending_page_events;
}

void report_contract() {
  const long unfreed = report_unfreed_strings();
  log_line("runtime contract: " + std::to_string(g_violations) + " thread violations, " +
           std::to_string(unfreed) + " strings not freed");
}

}  // namespace corvane::test_runtime
