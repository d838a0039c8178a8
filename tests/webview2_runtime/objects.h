#pragma once
// The test runtime's objects.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/webview2_runtime/defaults.h"

namespace corvane::test_runtime {

// What a closed controller and its web view answer to every call, as the real runtime does.
inline constexpr HRESULT kClosed = HRESULT_FROM_WIN32(ERROR_INVALID_STATE);

// Shared by a controller and its web view: closed by Close, or when the parent window goes.
struct Lifetime {
  bool closed = false;

  // A call on one of the two objects: refused once they are closed.
  HRESULT enter(const std::string& call, const std::string& args) const {
    return logged(call, args, closed ? kClosed : S_OK);
  }
};

class Settings final
    : public RuntimeObject<
          Settings,
          Chain<SettingsDefaults, ICoreWebView2Settings9, ICoreWebView2Settings8, ICoreWebView2Settings7,
                ICoreWebView2Settings6, ICoreWebView2Settings5, ICoreWebView2Settings4,
                ICoreWebView2Settings3, ICoreWebView2Settings2, ICoreWebView2Settings>> {
 public:
  Settings() : RuntimeObject("Settings") {}
// A setting with the real runtime's default.
#define CORVANE_TEST_SETTING(name, initial)                                     \
  HRESULT STDMETHODCALLTYPE get_##name(BOOL* value) noexcept override {         \
    return hand_out_value("ICoreWebView2Settings.get_" #name, value, name##_);  \
  }                                                                             \
  HRESULT STDMETHODCALLTYPE put_##name(BOOL value) noexcept override {          \
    const HRESULT hr = logged("ICoreWebView2Settings.put_" #name, flag(value)); \
    if (SUCCEEDED(hr)) name##_ = value;                                         \
    return hr;                                                                  \
  }                                                                             \
  BOOL name##_ = initial;
  CORVANE_TEST_SETTING(IsScriptEnabled, TRUE)
  CORVANE_TEST_SETTING(IsStatusBarEnabled, TRUE)
  CORVANE_TEST_SETTING(AreDevToolsEnabled, TRUE)
  CORVANE_TEST_SETTING(AreDefaultContextMenusEnabled, TRUE)
  CORVANE_TEST_SETTING(IsZoomControlEnabled, TRUE)
  CORVANE_TEST_SETTING(IsGeneralAutofillEnabled, TRUE)
  CORVANE_TEST_SETTING(IsPinchZoomEnabled, TRUE)
  CORVANE_TEST_SETTING(IsSwipeNavigationEnabled, TRUE)
  CORVANE_TEST_SETTING(IsNonClientRegionSupportEnabled, FALSE)
#undef CORVANE_TEST_SETTING
};

struct Handler {
  std::int64_t token;
  ComPtr<IUnknown> object;
};

class WebView final
    : public RuntimeObject<
          WebView, Chain<WebViewDefaults, ICoreWebView2_4, ICoreWebView2_3, ICoreWebView2_2, ICoreWebView2>> {
 public:
  explicit WebView(std::shared_ptr<Lifetime> lifetime);

  HRESULT STDMETHODCALLTYPE get_Settings(ICoreWebView2Settings** settings) noexcept override;
  HRESULT STDMETHODCALLTYPE get_Source(LPWSTR* uri) noexcept override;
  HRESULT STDMETHODCALLTYPE Navigate(LPCWSTR uri) noexcept override;
// An event's add_ and remove_, kept in the given handler list.
#define CORVANE_TEST_EVENT(name, list)                                                      \
  HRESULT STDMETHODCALLTYPE add_##name(ICoreWebView2##name##EventHandler* handler,          \
                                       EventRegistrationToken* token) noexcept override {   \
    return add(list, "add_" #name, handler, token);                                         \
  }                                                                                         \
  HRESULT STDMETHODCALLTYPE remove_##name(EventRegistrationToken token) noexcept override { \
    return remove(list, "remove_" #name, token);                                            \
  }
  CORVANE_TEST_EVENT(NavigationStarting, navigation_starting_)
  CORVANE_TEST_EVENT(NewWindowRequested, new_window_requested_)
  CORVANE_TEST_EVENT(WindowCloseRequested, window_close_requested_)
  CORVANE_TEST_EVENT(DownloadStarting, download_starting_)
#undef CORVANE_TEST_EVENT

  // The events, as pages raise them, on the UI thread. A navigation goes on through the redirects
  // the script gives.
  void navigate(const std::wstring& uri, bool user_initiated);
  void request_new_window(const std::wstring& uri, std::optional<std::pair<UINT32, UINT32>> size,
                          std::optional<std::pair<UINT32, UINT32>> position);
  void start_download(const std::wstring& uri, const std::wstring& proposed_path);
  void request_close();

  void set_content_window(HWND window) {
    content_ = window;
  }
  HWND content_window() const {
    return content_;
  }
  bool closed() const {
    return lifetime_->closed;
  }
  // The content window is going: the parent window was destroyed, or the controller closed.
  void content_destroyed();

 private:
  HRESULT add(std::vector<Handler>& list, const char* call, IUnknown* handler, EventRegistrationToken* token);
  HRESULT remove(std::vector<Handler>& list, const char* call, EventRegistrationToken token);
  // One NavigationStarting; true when the handlers let it go on.
  bool navigation_starting(const std::wstring& uri, bool user_initiated, bool redirected);
  void show(const std::wstring& uri);

  std::shared_ptr<Lifetime> lifetime_;
  Held<Settings> settings_;
  std::wstring source_ = L"about:blank";
  HWND content_ = nullptr;
  std::int64_t next_token_ = 1;
  std::vector<Handler> navigation_starting_, new_window_requested_, window_close_requested_,
      download_starting_;
};

// Runs a test's command sent to the content window: page events are posted and answered with 0;
// "memory" answers the private bytes, "pending" the page events not yet over.
LRESULT run_command(WebView& web_view, const std::wstring& command);

}  // namespace corvane::test_runtime
