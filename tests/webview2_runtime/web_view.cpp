// The test runtime's web view, its settings and its events.
#include <sstream>

#include "support/text.h"
#include "tests/webview2_runtime/objects.h"
// After the Windows header that objects.h brings.
#include <psapi.h>

namespace corvane::test_runtime {
namespace {

constexpr wchar_t kPopupClass[] = L"Corvane Test WebView Popup";
// Browsers give up on a chain of more redirects than this.
constexpr int kMostRedirects = 20;

using OptionalPair = std::optional<std::pair<UINT32, UINT32>>;

class Deferral final : public RuntimeObject<Deferral, ICoreWebView2Deferral> {
 public:
  explicit Deferral(std::function<void()> on_complete)
      : RuntimeObject("Deferral"), on_complete_(std::move(on_complete)) {}

  HRESULT STDMETHODCALLTYPE Complete() noexcept override {
    const HRESULT hr = logged("ICoreWebView2Deferral.Complete", "", on_complete_ ? S_OK : E_UNEXPECTED);
    if (FAILED(hr)) return hr;
    const auto complete = std::move(on_complete_);
    on_complete_ = nullptr;
    complete();
    return hr;
  }

 private:
  std::function<void()> on_complete_;
};

class NavigationArgs final
    : public RuntimeObject<NavigationArgs, ICoreWebView2NavigationStartingEventArgsImpl> {
 public:
  NavigationArgs(std::wstring uri, bool user_initiated, bool redirected)
      : RuntimeObject("NavigationStartingEventArgs"),
        uri_(std::move(uri)),
        user_initiated_(user_initiated),
        redirected_(redirected) {}
  HRESULT STDMETHODCALLTYPE get_Uri(LPWSTR* uri) noexcept override {
    return hand_out_text("ICoreWebView2NavigationStartingEventArgs.get_Uri", uri, uri_);
  }
  HRESULT STDMETHODCALLTYPE get_IsUserInitiated(BOOL* value) noexcept override {
    return hand_out_value<BOOL>("ICoreWebView2NavigationStartingEventArgs.get_IsUserInitiated", value,
                                user_initiated_);
  }
  HRESULT STDMETHODCALLTYPE get_IsRedirected(BOOL* value) noexcept override {
    return hand_out_value<BOOL>("ICoreWebView2NavigationStartingEventArgs.get_IsRedirected", value,
                                redirected_);
  }
  HRESULT STDMETHODCALLTYPE get_Cancel(BOOL* cancel) noexcept override {
    return hand_out_value("ICoreWebView2NavigationStartingEventArgs.get_Cancel", cancel, cancel_);
  }
  HRESULT STDMETHODCALLTYPE put_Cancel(BOOL cancel) noexcept override {
    const HRESULT hr = logged("ICoreWebView2NavigationStartingEventArgs.put_Cancel", flag(cancel));
    if (SUCCEEDED(hr)) cancel_ = cancel;
    return hr;
  }
  bool cancelled() const { return cancel_; }

 private:
  std::wstring uri_;
  bool user_initiated_, redirected_;
  BOOL cancel_ = FALSE;
};

class WindowFeatures final : public RuntimeObject<WindowFeatures, ICoreWebView2WindowFeaturesImpl> {
 public:
  WindowFeatures(OptionalPair size, OptionalPair position)
      : RuntimeObject("WindowFeatures"), size_(size), position_(position) {}
  HRESULT STDMETHODCALLTYPE get_HasPosition(BOOL* value) noexcept override {
    return read("get_HasPosition", value, BOOL{position_.has_value()});
  }
  HRESULT STDMETHODCALLTYPE get_HasSize(BOOL* value) noexcept override {
    return read("get_HasSize", value, BOOL{size_.has_value()});
  }
  HRESULT STDMETHODCALLTYPE get_Left(UINT32* value) noexcept override {
    return read("get_Left", value, pair(position_).first);
  }
  HRESULT STDMETHODCALLTYPE get_Top(UINT32* value) noexcept override {
    return read("get_Top", value, pair(position_).second);
  }
  HRESULT STDMETHODCALLTYPE get_Width(UINT32* value) noexcept override {
    return read("get_Width", value, pair(size_).first);
  }
  HRESULT STDMETHODCALLTYPE get_Height(UINT32* value) noexcept override {
    return read("get_Height", value, pair(size_).second);
  }

  const OptionalPair& size() const { return size_; }
  const OptionalPair& position() const { return position_; }

 private:
  template <typename T>
  static HRESULT read(const char* getter, T* out, T value) {
    return hand_out_value(std::string("ICoreWebView2WindowFeatures.") + getter, out, value);
  }
  static std::pair<UINT32, UINT32> pair(const OptionalPair& p) { return p.value_or(std::pair{0u, 0u}); }

  OptionalPair size_, position_;
};

class NewWindowArgs final
    : public RuntimeObject<NewWindowArgs, ICoreWebView2NewWindowRequestedEventArgsImpl> {
 public:
  NewWindowArgs(std::wstring uri, ComPtr<WindowFeatures> features)
      : RuntimeObject("NewWindowRequestedEventArgs"), uri_(std::move(uri)), features_(std::move(features)) {}
  HRESULT STDMETHODCALLTYPE get_Uri(LPWSTR* uri) noexcept override {
    return hand_out_text("ICoreWebView2NewWindowRequestedEventArgs.get_Uri", uri, uri_);
  }
  HRESULT STDMETHODCALLTYPE put_NewWindow(ICoreWebView2* web_view) noexcept override {
    const HRESULT hr =
        logged("ICoreWebView2NewWindowRequestedEventArgs.put_NewWindow", web_view ? "web view" : "null");
    if (SUCCEEDED(hr)) new_window_ = web_view;
    return hr;
  }
  HRESULT STDMETHODCALLTYPE get_NewWindow(ICoreWebView2** web_view) noexcept override {
    return hand_out("ICoreWebView2NewWindowRequestedEventArgs.get_NewWindow", web_view, [&] {
      if (new_window_) new_window_->AddRef();
      return new_window_.Get();
    });
  }
  HRESULT STDMETHODCALLTYPE put_Handled(BOOL handled) noexcept override {
    const HRESULT hr = logged("ICoreWebView2NewWindowRequestedEventArgs.put_Handled", flag(handled));
    if (SUCCEEDED(hr)) handled_ = handled;
    return hr;
  }
  HRESULT STDMETHODCALLTYPE get_Handled(BOOL* handled) noexcept override {
    return hand_out_value("ICoreWebView2NewWindowRequestedEventArgs.get_Handled", handled, handled_);
  }
  HRESULT STDMETHODCALLTYPE get_IsUserInitiated(BOOL* value) noexcept override {
    return hand_out_value<BOOL>("ICoreWebView2NewWindowRequestedEventArgs.get_IsUserInitiated", value, TRUE);
  }
  HRESULT STDMETHODCALLTYPE GetDeferral(ICoreWebView2Deferral** deferral) noexcept override;
  HRESULT STDMETHODCALLTYPE get_WindowFeatures(ICoreWebView2WindowFeatures** value) noexcept override {
    return hand_out("ICoreWebView2NewWindowRequestedEventArgs.get_WindowFeatures", value, [&] {
      features_->AddRef();
      return features_.Get();
    });
  }

  // After the handlers, or when the deferral completes: a popup opens unless the host handled it.
  void finish();
  bool deferred() const { return deferred_; }

 private:
  std::wstring uri_;
  ComPtr<WindowFeatures> features_;
  ComPtr<ICoreWebView2> new_window_;
  BOOL handled_ = FALSE;
  bool deferred_ = false;
};

LRESULT CALLBACK paint_text_procedure(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_PAINT) {
    paint_caption(window);
    return 0;
  }
  return DefWindowProcW(window, msg, wparam, lparam);
}

// The runtime's own browser window, which an unhandled new-window request opens.
void open_popup(const std::wstring& uri, OptionalPair size, OptionalPair position) {
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = paint_text_procedure;
  window_class.lpszClassName = kPopupClass;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  RegisterClassW(&window_class);
  const auto [left, top] = position.value_or(std::pair{100u, 100u});
  const auto [width, height] = size.value_or(std::pair{640u, 480u});
  CreateWindowExW(0, window_class.lpszClassName, (L"WebView2 test runtime popup\n" + uri).c_str(),
                  WS_OVERLAPPEDWINDOW | WS_VISIBLE, int(left), int(top), int(width), int(height), nullptr,
                  nullptr, nullptr, nullptr);
}

void NewWindowArgs::finish() {
  log_line("event NewWindowRequested " + to_utf8(uri_) + " handled=" + flag(handled_) +
           " new_window=" + (new_window_ ? "given" : "none"));
  if (!handled_) {
    open_popup(uri_, features_->size(), features_->position());
    log_line("popup opened " + to_utf8(uri_));
  }
}

HRESULT NewWindowArgs::GetDeferral(ICoreWebView2Deferral** deferral) noexcept {
  return hand_out("ICoreWebView2NewWindowRequestedEventArgs.GetDeferral", deferral, [&] {
    deferred_ = true;
    // The deferral keeps the request alive until it is completed.
    auto pending = std::make_shared<Held<NewWindowArgs>>(ComPtr<NewWindowArgs>(this));
    return Deferral::create([pending] {
             (*pending)->finish();
             pending->reset();
           })
        .Detach();
  });
}

class DownloadOperation final : public RuntimeObject<DownloadOperation, ICoreWebView2DownloadOperationImpl> {
 public:
  explicit DownloadOperation(std::wstring uri) : RuntimeObject("DownloadOperation"), uri_(std::move(uri)) {}
  HRESULT STDMETHODCALLTYPE get_Uri(LPWSTR* uri) noexcept override {
    return hand_out_text("ICoreWebView2DownloadOperation.get_Uri", uri, uri_);
  }

 private:
  std::wstring uri_;
};

class DownloadArgs final : public RuntimeObject<DownloadArgs, ICoreWebView2DownloadStartingEventArgsImpl> {
 public:
  DownloadArgs(std::wstring uri, std::wstring path)
      : RuntimeObject("DownloadStartingEventArgs"), uri_(std::move(uri)), path_(std::move(path)) {}
  HRESULT STDMETHODCALLTYPE
  get_DownloadOperation(ICoreWebView2DownloadOperation** operation) noexcept override {
    return hand_out("ICoreWebView2DownloadStartingEventArgs.get_DownloadOperation", operation,
                    [&] { return DownloadOperation::create(uri_).Detach(); });
  }
  HRESULT STDMETHODCALLTYPE get_Cancel(BOOL* cancel) noexcept override {
    return hand_out_value("ICoreWebView2DownloadStartingEventArgs.get_Cancel", cancel, cancel_);
  }
  HRESULT STDMETHODCALLTYPE put_Cancel(BOOL cancel) noexcept override {
    const HRESULT hr = logged("ICoreWebView2DownloadStartingEventArgs.put_Cancel", flag(cancel));
    if (SUCCEEDED(hr)) cancel_ = cancel;
    return hr;
  }
  HRESULT STDMETHODCALLTYPE get_ResultFilePath(LPWSTR* path) noexcept override {
    return hand_out_text("ICoreWebView2DownloadStartingEventArgs.get_ResultFilePath", path, path_);
  }
  HRESULT STDMETHODCALLTYPE put_ResultFilePath(LPCWSTR path) noexcept override {
    const HRESULT hr = logged("ICoreWebView2DownloadStartingEventArgs.put_ResultFilePath", text(path));
    if (SUCCEEDED(hr)) path_ = path ? path : L"";
    return hr;
  }
  HRESULT STDMETHODCALLTYPE get_Handled(BOOL* handled) noexcept override {
    return hand_out_value("ICoreWebView2DownloadStartingEventArgs.get_Handled", handled, handled_);
  }
  HRESULT STDMETHODCALLTYPE put_Handled(BOOL handled) noexcept override {
    const HRESULT hr = logged("ICoreWebView2DownloadStartingEventArgs.put_Handled", flag(handled));
    if (SUCCEEDED(hr)) handled_ = handled;
    return hr;
  }

  // Saves the file where the host said, unless it cancelled; the download UI shows unless handled.
  void finish() {
    bool saved = false;
    if (!cancel_) {
      HANDLE file = CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
      if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        saved = WriteFile(file, "downloaded by the WebView2 test runtime\n", 40, &written, nullptr);
        CloseHandle(file);
      }
    }
    log_line("event DownloadStarting " + to_utf8(uri_) + " path=" + to_utf8(path_) +
             " handled=" + flag(handled_) + " cancel=" + flag(cancel_) + " saved=" + (saved ? "yes" : "no"));
  }

 private:
  std::wstring uri_, path_;
  BOOL cancel_ = FALSE, handled_ = FALSE;
};

template <typename HandlerInterface, typename Args>
void invoke_all(const std::vector<Handler>& handlers, ICoreWebView2* sender, Args* args,
                const std::string& event) {
  // A copy: a handler may register or remove others meanwhile.
  const std::vector<Handler> current = handlers;
  for (const Handler& h : current) {
    const HRESULT hr = static_cast<HandlerInterface*>(h.object.Get())->Invoke(sender, args);
    log_line("event " + event + " handler returned " + hex(hr));
  }
}

}  // namespace

WebView::WebView(std::shared_ptr<Lifetime> lifetime)
    : RuntimeObject("WebView"), lifetime_(std::move(lifetime)), settings_(Settings::create()) {}

HRESULT WebView::get_Settings(ICoreWebView2Settings** settings) noexcept {
  if (!settings) return E_POINTER;
  *settings = nullptr;
  const HRESULT hr = lifetime_->enter("ICoreWebView2.get_Settings", "");
  if (SUCCEEDED(hr) && !hands_out_null("ICoreWebView2.get_Settings")) {
    settings_->AddRef();
    *settings = settings_.get();
  }
  return hr;
}

HRESULT WebView::get_Source(LPWSTR* uri) noexcept {
  if (!uri) return E_POINTER;
  const HRESULT hr = lifetime_->enter("ICoreWebView2.get_Source", "");
  *uri = SUCCEEDED(hr) ? hand_out_string(source_) : nullptr;
  return hr;
}

HRESULT WebView::Navigate(LPCWSTR uri) noexcept {
  const HRESULT hr = lifetime_->enter("ICoreWebView2.Navigate", text(uri));
  if (FAILED(hr)) return hr;
  if (!uri) return E_INVALIDARG;
  // As a real runtime does, the navigation starts later, from the message loop.
  ComPtr<WebView> self(this);
  post_to_ui_thread([self, target = std::wstring(uri)] { self->navigate(target, false); });
  return S_OK;
}

HRESULT WebView::add(std::vector<Handler>& list, const char* call, IUnknown* handler,
                     EventRegistrationToken* token) {
  const HRESULT hr = lifetime_->enter(std::string("ICoreWebView2.") + call, handler ? "handler" : "null");
  if (FAILED(hr)) return hr;
  if (!handler || !token) return E_POINTER;
  token->value = next_token_++;
  list.push_back({token->value, ComPtr<IUnknown>(handler)});
  return S_OK;
}

HRESULT WebView::remove(std::vector<Handler>& list, const char* call, EventRegistrationToken token) {
  const HRESULT hr = lifetime_->enter(std::string("ICoreWebView2.") + call, std::to_string(token.value));
  if (SUCCEEDED(hr)) std::erase_if(list, [&](const Handler& h) { return h.token == token.value; });
  return hr;
}

bool WebView::navigation_starting(const std::wstring& uri, bool user_initiated, bool redirected) {
  const auto args = NavigationArgs::create(uri, user_initiated, redirected);
  invoke_all<ICoreWebView2NavigationStartingEventHandler>(navigation_starting_, this, args.Get(),
                                                          "NavigationStarting " + to_utf8(uri));
  const bool allowed = !args->cancelled();
  log_line("event NavigationStarting " + to_utf8(uri) + (redirected ? " redirected" : "") +
           (allowed ? " allowed" : " cancelled"));
  return allowed;
}

void WebView::navigate(const std::wstring& requested, bool user_initiated) {
  if (closed()) return log_line("event dropped: the web view is closed");
  std::wstring uri = canonical_url(requested);
  if (!navigation_starting(uri, user_initiated, false)) return;
  // A cancel at any hop ends the chain, and the page stays as it was.
  for (int hops = 0; hops < kMostRedirects; ++hops) {
    const auto next = redirect_of(uri);
    if (!next) break;
    uri = *next;
    if (!navigation_starting(uri, user_initiated, true)) return;
  }
  show(uri);
}

void WebView::show(const std::wstring& uri) {
  source_ = uri;
  log_line("page " + to_utf8(uri));
  if (content_) SetWindowTextW(content_, (L"WebView2 test runtime\n\n" + source_).c_str());
  if (content_) InvalidateRect(content_, nullptr, TRUE);
}

void WebView::request_new_window(const std::wstring& uri, OptionalPair size, OptionalPair position) {
  if (closed()) return log_line("event dropped: the web view is closed");
  const auto args = NewWindowArgs::create(canonical_url(uri), WindowFeatures::create(size, position));
  invoke_all<ICoreWebView2NewWindowRequestedEventHandler>(
      new_window_requested_, this, args.Get(), "NewWindowRequested " + to_utf8(canonical_url(uri)));
  if (!args->deferred()) args->finish();
}

void WebView::start_download(const std::wstring& uri, const std::wstring& proposed_path) {
  if (closed()) return log_line("event dropped: the web view is closed");
  const auto args = DownloadArgs::create(canonical_url(uri), proposed_path);
  invoke_all<ICoreWebView2DownloadStartingEventHandler>(download_starting_, this, args.Get(),
                                                        "DownloadStarting " + to_utf8(canonical_url(uri)));
  args->finish();
}

void WebView::request_close() {
  if (closed()) return log_line("event dropped: the web view is closed");
  invoke_all<ICoreWebView2WindowCloseRequestedEventHandler, IUnknown>(window_close_requested_, this, nullptr,
                                                                      "WindowCloseRequested");
}

void WebView::content_destroyed() {
  content_ = nullptr;
  if (lifetime_->closed) return;
  lifetime_->closed = true;
  log_line("controller closed: its parent window was destroyed");
}

namespace {

// The process's private bytes (its commit charge, which Wine reports only in this field).
LRESULT private_bytes() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return static_cast<LRESULT>(counters.PagefileUsage);
}

// What Windows sends when the window moves to a monitor of another DPI, suggesting its own rectangle.
void change_dpi(HWND top, UINT dpi) {
  RECT suggested;
  GetWindowRect(top, &suggested);
  SendMessageW(top, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

// The user closes every popup the runtime opened.
void close_popups() {
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM) -> BOOL {
        wchar_t name[64] = {};
        GetClassNameW(window, name, 64);
        if (std::wstring_view(name) == kPopupClass) DestroyWindow(window);
        return TRUE;
      },
      0);
}

// One page event of a command, run later on the UI thread.
void raise(WebView& web_view, const std::wstring& command, HWND top) {
  std::wistringstream words(command);
  std::wstring verb, uri;
  words >> verb >> uri;
  if (verb == L"link") {
    // The rest of the line as it is: the browser, not the test, tidies the URL up.
    web_view.navigate(command.substr(std::min(command.size(), command.find(L' ') + 1)), true);
  } else if (verb == L"open") {
    OptionalPair size, position;
    std::wstring word;
    UINT32 a = 0, b = 0;
    while (words >> word >> a >> b) (word == L"size" ? size : position) = std::pair{a, b};
    web_view.request_new_window(uri, size, position);
  } else if (verb == L"download") {
    std::wstring path;
    std::getline(words >> std::ws, path);
    web_view.start_download(uri, path);
  } else if (verb == L"close") {
    web_view.request_close();
  } else if (verb == L"dpi") {
    change_dpi(top, static_cast<UINT>(std::stoul(uri)));
  } else if (verb == L"close-popups") {
    close_popups();
  } else {
    log_line("unknown command " + to_utf8(command));
  }
}

std::vector<std::wstring> split_commands(const std::wstring& command) {
  std::vector<std::wstring> parts;
  for (size_t start = 0;;) {
    const size_t end = command.find(L" ; ", start);
    parts.push_back(command.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start));
    if (end == std::wstring::npos) return parts;
    start = end + 3;
  }
}

}  // namespace

LRESULT run_command(WebView& web_view, const std::wstring& command) {
  if (command == L"report") {
    report_objects();
    return 0;
  }
  if (command == L"memory") return private_bytes();
  if (command == L"pending") return pending_page_events();
  // Page events happen later, from the UI thread's own messages, never inside the test's call.
  const HWND top = GetAncestor(web_view.content_window(), GA_ROOT);
  post_page_event([self = ComPtr<WebView>(&web_view), parts = split_commands(command), top] {
    for (const auto& part : parts) raise(*self.Get(), part, top);
  });
  return 0;
}

HRESULT not_implemented(const char* method) {
  return logged(std::string("not implemented: ") + method, "", E_NOTIMPL);
}

}  // namespace corvane::test_runtime
