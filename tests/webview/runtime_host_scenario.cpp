// A tiny host of the WebView2 test runtime (not the product's host): it creates an environment, a
// controller and a web view, registers handlers with fixed answers, and drives the runtime's events.
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <thread>

#include "support/text.h"
#include "tests/common/hex.h"
#include "tests/common/scenario_main.h"
#include "tests/webview2_runtime/runtime.h"
#include "webview/callback_types.h"

namespace corvane {
namespace {

void print(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

using testing_support::hex;

bool pump_until(const std::function<bool()>& done, DWORD timeout_ms = 5000) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > timeout_ms) return false;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(5);
  }
  return true;
}

std::wstring take(LPWSTR text) {
  std::wstring value = text ? text : L"";
  CoTaskMemFree(text);
  return value;
}

LPWSTR co_task_copy(const wchar_t* text) {
  const size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
  auto* copy = static_cast<LPWSTR>(CoTaskMemAlloc(bytes));
  std::memcpy(copy, text, bytes);
  return copy;
}

class TinyOptions final : public ComObject<TinyOptions, ICoreWebView2EnvironmentOptions> {
 public:
  HRESULT STDMETHODCALLTYPE get_AdditionalBrowserArguments(LPWSTR* value) noexcept override {
    *value = co_task_copy(L"--tiny");
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE put_AdditionalBrowserArguments(LPCWSTR) noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE get_Language(LPWSTR* value) noexcept override {
    *value = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE put_Language(LPCWSTR) noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE get_TargetCompatibleBrowserVersion(LPWSTR* value) noexcept override {
    *value = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE put_TargetCompatibleBrowserVersion(LPCWSTR) noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE get_AllowSingleSignOnUsingOSPrimaryAccount(BOOL* value) noexcept override {
    *value = FALSE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE put_AllowSingleSignOnUsingOSPrimaryAccount(BOOL) noexcept override {
    return S_OK;
  }
};

std::wstring thread_error() {
  ComPtr<IErrorInfo> info;
  if (GetErrorInfo(0, &info) != S_OK || !info) return L"";
  BSTR description = nullptr;
  info->GetDescription(&description);
  std::wstring text = description ? description : L"";
  SysFreeString(description);
  return text;
}

void report(const char* call, HRESULT hr) {
  const std::wstring description = FAILED(hr) ? thread_error() : L"";
  print(std::string(call) + " " + hex(hr) + (description.empty() ? "" : " \"" + to_utf8(description) + "\""));
}

LRESULT send_command(HWND content, const std::wstring& command) {
  COPYDATASTRUCT data{test_runtime::kCommandTag, static_cast<DWORD>(command.size() * sizeof(wchar_t)),
                      const_cast<wchar_t*>(command.data())};
  return SendMessageW(content, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
}

// Page events seen by the handlers since the last command; a command must return before its events.
int g_events = 0;

ComPtr<ICoreWebView2Environment> create_environment() {
  ComPtr<ICoreWebView2Environment> environment;
  bool completed = false;
  auto done = EnvironmentCompleted::create([&](ComStatus outcome, ComPtr<ICoreWebView2Environment> result) {
    completed = true;
    environment = result;
    print("environment completed " + hex(outcome.code) + (result ? " with" : " without") + " an environment");
    return ComStatus{};
  });
  const HRESULT hr = CreateCoreWebView2EnvironmentWithOptions(nullptr, L"C:\\tiny-profile",
                                                              TinyOptions::create().Get(), done.Get());
  print("create returned " + hex(hr) + (completed ? " after" : " before") + " the completion");
  const DWORD started = GetTickCount();
  if (SUCCEEDED(hr) && !pump_until([&] { return completed; }, 2000)) print("no completion");
  // The runtime's default delay stands for a browser start on a counter PC.
  if (completed)
    print(GetTickCount() - started >= 390 ? "environment completed after its delay"
                                          : "environment completed early");
  return environment;
}

ComPtr<ICoreWebView2Controller> create_controller(ICoreWebView2Environment* environment, HWND parent) {
  ComPtr<ICoreWebView2Controller> controller;
  bool completed = false;
  auto done = ControllerCompleted::create([&](ComStatus outcome, ComPtr<ICoreWebView2Controller> result) {
    completed = true;
    controller = result;
    print("controller completed " + hex(outcome.code));
    return ComStatus{};
  });
  report("CreateCoreWebView2Controller", environment->CreateCoreWebView2Controller(parent, done.Get()));
  pump_until([&] { return completed; }, 2000);
  return controller;
}

// Fixed answers: URLs containing "deny" are cancelled or handled; downloads are renamed and handled.
void register_handlers(ICoreWebView2* web_view, HWND parent) {
  EventRegistrationToken token;
  report("add_NavigationStarting",
         web_view->add_NavigationStarting(
             NavigationStartingCallback::create([](ComPtr<ICoreWebView2>,
                                                   ComPtr<ICoreWebView2NavigationStartingEventArgs> args) {
               const std::wstring uri = [&] {
                 LPWSTR raw = nullptr;
                 args->get_Uri(&raw);
                 return take(raw);
               }();
               BOOL redirected = FALSE;
               args->get_IsRedirected(&redirected);
               print("navigation " + to_utf8(uri) + (redirected ? " redirected" : ""));
               ++g_events;
               args->put_Cancel(uri.find(L"deny") != std::wstring::npos);
               return ComStatus{};
             }).Get(),
             &token));
  report(
      "add_NewWindowRequested",
      web_view->add_NewWindowRequested(
          NewWindowRequestedCallback::create([parent](ComPtr<ICoreWebView2>,
                                                      ComPtr<ICoreWebView2NewWindowRequestedEventArgs> args) {
            LPWSTR raw = nullptr;
            args->get_Uri(&raw);
            const std::wstring uri = take(raw);
            ComPtr<ICoreWebView2Deferral> deferral;
            args->GetDeferral(&deferral);
            // Decided later, from a message: the runtime must wait for the deferral.
            auto* later = new std::function<void()>([args, deferral, uri] {
              args->put_Handled(uri.find(L"deny") != std::wstring::npos);
              deferral->Complete();
            });
            PostMessageW(parent, WM_APP, reinterpret_cast<WPARAM>(later), 0);
            print("new window deferred");
            ++g_events;
            return ComStatus{};
          }).Get(),
          &token));
  ComPtr<ICoreWebView2_4> web_view_4;
  report("QueryInterface ICoreWebView2_4", web_view->QueryInterface(IID_PPV_ARGS(&web_view_4)));
  if (web_view_4) {
    report("add_DownloadStarting",
           web_view_4->add_DownloadStarting(
               DownloadStartingCallback::create([](ComPtr<ICoreWebView2>,
                                                   ComPtr<ICoreWebView2DownloadStartingEventArgs> args) {
                 LPWSTR raw = nullptr;
                 args->get_ResultFilePath(&raw);
                 args->put_ResultFilePath((take(raw) + L".renamed").c_str());
                 args->put_Handled(TRUE);
                 ++g_events;
                 return ComStatus{};
               }).Get(),
               &token));
  }
  report("add_WindowCloseRequested",
         web_view->add_WindowCloseRequested(
             WindowCloseRequestedCallback::create([](ComPtr<ICoreWebView2>, ComPtr<IUnknown> args) {
               print(args ? "close requested with args" : "close requested");
               ++g_events;
               return ComStatus{};
             }).Get(),
             &token));
}

LRESULT CALLBACK parent_procedure(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) noexcept {
  if (msg == WM_APP) {
    const std::unique_ptr<std::function<void()>> later(reinterpret_cast<std::function<void()>*>(wparam));
    (*later)();
    return 0;
  }
  return DefWindowProcW(window, msg, wparam, lparam);
}

std::wstring source(ICoreWebView2* web_view) {
  LPWSTR raw = nullptr;
  web_view->get_Source(&raw);
  return take(raw);
}

// A host that breaks the contract on purpose, as the arguments ask.
struct Misbehaviour {
  bool multithreaded = false;    // "mta": creates the environment from the multithreaded apartment
  bool other_thread = false;     // "other-thread": calls the web view from a thread of its own
  bool keeps_a_string = false;   // "keep-string": never frees a string the runtime handed out
  bool local_frees = false;      // "local-free": frees strings with LocalFree, not CoTaskMemFree
  bool destroys_parent = false;  // "destroy-parent": the controller's parent window goes first
};

constexpr int kLocallyFreed = 10;

Misbehaviour misbehaviour(const std::vector<std::string>& arguments) {
  Misbehaviour m;
  for (const auto& a : arguments) {
    m.multithreaded |= a == "mta";
    m.other_thread |= a == "other-thread";
    m.keeps_a_string |= a == "keep-string";
    m.local_frees |= a == "local-free";
    m.destroys_parent |= a == "destroy-parent";
  }
  return m;
}

void print_setting(ICoreWebView2Settings* settings) {
  ComPtr<ICoreWebView2Settings9> later;
  settings->QueryInterface(IID_PPV_ARGS(&later));
  BOOL scripts = FALSE, non_client = TRUE;
  settings->get_IsScriptEnabled(&scripts);
  if (later) later->get_IsNonClientRegionSupportEnabled(&non_client);
  print("defaults: scripts " + std::string(scripts ? "on" : "off") + ", non-client regions " +
        (non_client ? "on" : "off"));
}

void play_page_events(HWND content, ICoreWebView2* web_view) {
  for (const wchar_t* command :
       {L"link https://deny.example/", L"link https://allowed.example/2",
        L"link HTTPS://Allowed.EXAMPLE:443\\a\tb", L"link http://allowed.example:80/c\\d?e\\f",
        L"link https://r.example/a", L"open https://deny.example/popup",
        L"open https://allowed.example/popup size 300 200",
        L"download https://files.example/report.pdf C:\\users\\Public\\report.pdf", L"close"}) {
    g_events = 0;
    send_command(content, command);
    print(to_utf8(command) +
          (g_events == 0 ? " returned before its events" : " raised its events inside the call"));
    pump_until([] { return false; }, 100);
  }
  print("source: " + to_utf8(source(web_view)));
}

CORVANE_SCENARIO(runtime_host) {
  const Misbehaviour m = misbehaviour(arguments);
  CoInitializeEx(nullptr, m.multithreaded ? COINIT_MULTITHREADED : COINIT_APARTMENTTHREADED);
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = parent_procedure;
  window_class.lpszClassName = L"Tiny Host";
  RegisterClassW(&window_class);
  HWND parent = CreateWindowExW(0, window_class.lpszClassName, L"tiny host", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
  ComPtr<ICoreWebView2Environment> environment = create_environment();
  if (!environment) return 0;
  ComPtr<ICoreWebView2Controller> controller = create_controller(environment.Get(), parent);
  if (!controller) return 0;
  ComPtr<ICoreWebView2> web_view;
  report("get_CoreWebView2", controller->get_CoreWebView2(&web_view));
  ComPtr<ICoreWebView2Settings> settings;
  report("get_Settings", web_view->get_Settings(&settings));
  print_setting(settings.Get());
  if (m.other_thread) {
    std::thread([&] {
      ComPtr<ICoreWebView2Settings> elsewhere;
      report("get_Settings from another thread", web_view->get_Settings(&elsewhere));
    }).join();
  }
  register_handlers(web_view.Get(), parent);
  report("Navigate", web_view->Navigate(L"https://start.example/"));
  print("source right after Navigate: " + to_utf8(source(web_view.Get())));
  pump_until([&] { return source(web_view.Get()) == L"https://start.example/"; });
  print("source: " + to_utf8(source(web_view.Get())));
  if (m.keeps_a_string) {
    LPWSTR kept = nullptr;
    web_view->get_Source(&kept);
  }
  // Later strings are likely to get an earlier one's block back.
  for (int i = 0; m.local_frees && i < kLocallyFreed; ++i) {
    LPWSTR text = nullptr;
    web_view->get_Source(&text);
    LocalFree(text);
  }
  if (m.destroys_parent) {
    DestroyWindow(parent);
    report("put_Bounds after the parent went", controller->put_Bounds(RECT{0, 0, 10, 10}));
  } else {
    play_page_events(FindWindowExW(parent, nullptr, test_runtime::kContentClass, nullptr), web_view.Get());
    // Keep the controller and the environment, let go of everything else, and ask who holds what.
    settings = nullptr;
    web_view = nullptr;
    send_command(FindWindowExW(parent, nullptr, test_runtime::kContentClass, nullptr), L"report");
  }
  return 0;
}

}  // namespace
}  // namespace corvane
