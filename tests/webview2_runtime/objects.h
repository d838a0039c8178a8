#pragma once
// The test runtime's objects.
#include <optional>
#include <string>
#include <vector>

#include "tests/webview2_runtime/defaults.h"

namespace corvane::test_runtime {

class Settings final
    : public RuntimeObject<
          Settings,
          Chain<SettingsDefaults, ICoreWebView2Settings9, ICoreWebView2Settings8, ICoreWebView2Settings7,
                ICoreWebView2Settings6, ICoreWebView2Settings5, ICoreWebView2Settings4,
                ICoreWebView2Settings3, ICoreWebView2Settings2, ICoreWebView2Settings>> {
 public:
  Settings() : RuntimeObject("Settings") {}
#define CORVANE_TEST_SETTING(name)                                              \
  HRESULT STDMETHODCALLTYPE get_##name(BOOL* value) noexcept override {         \
    if (!value) return E_POINTER;                                               \
    *value = name##_;                                                           \
    return S_OK;                                                                \
  }                                                                             \
  HRESULT STDMETHODCALLTYPE put_##name(BOOL value) noexcept override {          \
    const HRESULT hr = logged("ICoreWebView2Settings.put_" #name, flag(value)); \
    if (SUCCEEDED(hr)) name##_ = value;                                         \
    return hr;                                                                  \
  }                                                                             \
  BOOL name##_ = TRUE;
  CORVANE_TEST_SETTING(IsScriptEnabled)
  CORVANE_TEST_SETTING(IsStatusBarEnabled)
  CORVANE_TEST_SETTING(AreDevToolsEnabled)
  CORVANE_TEST_SETTING(AreDefaultContextMenusEnabled)
  CORVANE_TEST_SETTING(IsZoomControlEnabled)
  CORVANE_TEST_SETTING(IsGeneralAutofillEnabled)
  CORVANE_TEST_SETTING(IsPinchZoomEnabled)
  CORVANE_TEST_SETTING(IsSwipeNavigationEnabled)
  CORVANE_TEST_SETTING(IsNonClientRegionSupportEnabled)
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
  WebView();

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

  // The events, as pages raise them. navigate answers whether the navigation went ahead.
  bool navigate(const std::wstring& uri, bool user_initiated);
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
  const std::wstring& source() const {
    return source_;
  }

 private:
  HRESULT add(std::vector<Handler>& list, const char* call, IUnknown* handler, EventRegistrationToken* token);
  HRESULT remove(std::vector<Handler>& list, const char* call, EventRegistrationToken token);

  Held<Settings> settings_;
  std::wstring source_ = L"about:blank";
  HWND content_ = nullptr;
  std::int64_t next_token_ = 1;
  std::vector<Handler> navigation_starting_, new_window_requested_, window_close_requested_,
      download_starting_;
};

// Runs the command a test sent to the content window; answers 1 when a navigation went ahead, and the
// private bytes for "memory".
LRESULT run_command(WebView& web_view, const std::wstring& command);

}  // namespace corvane::test_runtime
