// The test runtime's loader export, environment, controller options and controller.
#include <filesystem>

#include "support/text.h"
#include "tests/webview2_runtime/objects.h"

namespace corvane::test_runtime {
namespace {

using EnvironmentHandler = ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler;
using ControllerHandler = ICoreWebView2CreateCoreWebView2ControllerCompletedHandler;

// Calls the completed handler as the script says, after the delay, on the UI thread, from a message
// that another thread posts.
template <typename HandlerInterface, typename Result>
void complete_later(const char* name, HandlerInterface* handler, Completion completion,
                    std::optional<DWORD> delay_ms, std::function<ComPtr<Result>()> make_result) {
  ComPtr<HandlerInterface> held(handler);
  post_after(delay_ms, [=] {
    if (completion.kind != Completion::Kind::Quit) log_line(std::string("completion ") + name + " delivered");
    HRESULT returned = S_OK;
    switch (completion.kind) {
      case Completion::Kind::Success:
        returned = held->Invoke(S_OK, make_result().Get());
        break;
      case Completion::Kind::Failure:
        returned = held->Invoke(completion.failure, nullptr);
        break;
      case Completion::Kind::Null:
        returned = held->Invoke(S_OK, nullptr);
        break;
      case Completion::Kind::Quit:
        // The user ended the session meanwhile.
        PostQuitMessage(0);
        log_line(std::string("completion ") + name + " not delivered: quit posted");
        return;
    }
    log_line(std::string("completion ") + name + " handler returned " + hex(returned));
  });
}

LRESULT CALLBACK content_procedure(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) {
  auto* web_view = reinterpret_cast<WebView*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (msg == WM_COPYDATA && web_view) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lparam);
    if (data->dwData != kCommandTag) return 0;
    return run_command(
        *web_view, std::wstring(static_cast<const wchar_t*>(data->lpData), data->cbData / sizeof(wchar_t)));
  }
  if (msg == WM_DESTROY && web_view) web_view->content_destroyed();
  if (msg == WM_PAINT) {
    paint_caption(window);
    return 0;
  }
  return DefWindowProcW(window, msg, wparam, lparam);
}

class ControllerOptions final : public RuntimeObject<ControllerOptions, ICoreWebView2ControllerOptionsImpl> {
 public:
  ControllerOptions() : RuntimeObject("ControllerOptions") {}
  HRESULT STDMETHODCALLTYPE get_ProfileName(LPWSTR* value) noexcept override {
    if (!value) return E_POINTER;
    const HRESULT hr = logged("ICoreWebView2ControllerOptions.get_ProfileName", "");
    *value = SUCCEEDED(hr) && !profile_name_.empty() ? hand_out_string(profile_name_) : nullptr;
    return hr;
  }
  HRESULT STDMETHODCALLTYPE put_ProfileName(LPCWSTR value) noexcept override {
    const HRESULT hr = logged("ICoreWebView2ControllerOptions.put_ProfileName", text(value));
    if (SUCCEEDED(hr)) profile_name_ = value ? value : L"";
    return hr;
  }
  HRESULT STDMETHODCALLTYPE get_IsInPrivateModeEnabled(BOOL* value) noexcept override {
    return hand_out_value("ICoreWebView2ControllerOptions.get_IsInPrivateModeEnabled", value, private_mode_);
  }
  HRESULT STDMETHODCALLTYPE put_IsInPrivateModeEnabled(BOOL value) noexcept override {
    const HRESULT hr = logged("ICoreWebView2ControllerOptions.put_IsInPrivateModeEnabled", flag(value));
    if (SUCCEEDED(hr)) private_mode_ = value;
    return hr;
  }

  // What the options say, read by the runtime itself.
  BOOL private_mode() const { return private_mode_; }
  const std::wstring& profile_name() const { return profile_name_; }

 private:
  std::wstring profile_name_;
  BOOL private_mode_ = FALSE;
};

class Controller final : public RuntimeObject<Controller, ICoreWebView2ControllerImpl> {
 public:
  explicit Controller(HWND parent)
      : RuntimeObject("Controller"),
        parent_(parent),
        lifetime_(std::make_shared<Lifetime>()),
        web_view_(WebView::create(lifetime_)) {
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = content_procedure;
    window_class.lpszClassName = kContentClass;
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    RegisterClassW(&window_class);
    // The page's content: a child of the host's container, hidden until the host makes it visible.
    content_ = CreateWindowExW(0, kContentClass, L"WebView2 test runtime\n\nabout:blank",
                               WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent, nullptr, nullptr, nullptr);
    SetWindowLongPtrW(content_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(web_view_.get()));
    web_view_->set_content_window(content_);
  }
  ~Controller() override {
    if (IsWindow(content_)) DestroyWindow(content_);
  }

  HRESULT STDMETHODCALLTYPE get_IsVisible(BOOL* visible) noexcept override {
    if (!visible) return E_POINTER;
    const HRESULT hr = lifetime_->enter("ICoreWebView2Controller.get_IsVisible", "");
    if (SUCCEEDED(hr)) *visible = IsWindowVisible(content_);
    return hr;
  }
  HRESULT STDMETHODCALLTYPE put_IsVisible(BOOL visible) noexcept override {
    const HRESULT hr = lifetime_->enter("ICoreWebView2Controller.put_IsVisible", flag(visible));
    if (SUCCEEDED(hr)) ShowWindow(content_, visible ? SW_SHOWNA : SW_HIDE);
    return hr;
  }
  HRESULT STDMETHODCALLTYPE get_Bounds(RECT* bounds) noexcept override {
    if (!bounds) return E_POINTER;
    const HRESULT hr = lifetime_->enter("ICoreWebView2Controller.get_Bounds", "");
    if (SUCCEEDED(hr)) *bounds = bounds_;
    return hr;
  }
  HRESULT STDMETHODCALLTYPE put_Bounds(RECT bounds) noexcept override {
    const HRESULT hr =
        lifetime_->enter("ICoreWebView2Controller.put_Bounds",
                         std::to_string(bounds.left) + "," + std::to_string(bounds.top) + "," +
                             std::to_string(bounds.right) + "," + std::to_string(bounds.bottom));
    if (SUCCEEDED(hr)) {
      bounds_ = bounds;
      MoveWindow(content_, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                 TRUE);
    }
    return hr;
  }
  HRESULT STDMETHODCALLTYPE MoveFocus(COREWEBVIEW2_MOVE_FOCUS_REASON reason) noexcept override {
    const HRESULT hr = lifetime_->enter("ICoreWebView2Controller.MoveFocus", std::to_string(reason));
    if (SUCCEEDED(hr)) SetFocus(content_);
    return hr;
  }
  HRESULT STDMETHODCALLTYPE get_ParentWindow(HWND* parent) noexcept override {
    if (!parent) return E_POINTER;
    const HRESULT hr = lifetime_->enter("ICoreWebView2Controller.get_ParentWindow", "");
    if (SUCCEEDED(hr)) *parent = parent_;
    return hr;
  }
  HRESULT STDMETHODCALLTYPE NotifyParentWindowPositionChanged() noexcept override {
    return lifetime_->enter("ICoreWebView2Controller.NotifyParentWindowPositionChanged", "");
  }
  HRESULT STDMETHODCALLTYPE Close() noexcept override {
    const HRESULT hr = lifetime_->enter("ICoreWebView2Controller.Close", "");
    if (FAILED(hr)) return hr;
    lifetime_->closed = true;
    if (IsWindow(content_)) DestroyWindow(content_);
    return hr;
  }
  HRESULT STDMETHODCALLTYPE get_CoreWebView2(ICoreWebView2** web_view) noexcept override {
    if (!web_view) return E_POINTER;
    *web_view = nullptr;
    const HRESULT hr = lifetime_->enter("ICoreWebView2Controller.get_CoreWebView2", "");
    if (SUCCEEDED(hr) && !hands_out_null("ICoreWebView2Controller.get_CoreWebView2")) {
      web_view_->AddRef();
      *web_view = web_view_.get();
    }
    return hr;
  }

 private:
  HWND parent_;
  HWND content_ = nullptr;
  RECT bounds_{};
  std::shared_ptr<Lifetime> lifetime_;
  Held<WebView> web_view_;
};

class Environment final
    : public RuntimeObject<
          Environment, Chain<EnvironmentDefaults, ICoreWebView2Environment10, ICoreWebView2Environment9,
                             ICoreWebView2Environment8, ICoreWebView2Environment7, ICoreWebView2Environment6,
                             ICoreWebView2Environment5, ICoreWebView2Environment4, ICoreWebView2Environment3,
                             ICoreWebView2Environment2, ICoreWebView2Environment>> {
 public:
  Environment() : RuntimeObject("Environment") {}

  HRESULT STDMETHODCALLTYPE CreateCoreWebView2Controller(HWND parent,
                                                         ControllerHandler* handler) noexcept override {
    const HRESULT hr = logged("ICoreWebView2Environment.CreateCoreWebView2Controller", "container, handler");
    if (SUCCEEDED(hr)) start_controller(parent, handler);
    return hr;
  }
  HRESULT STDMETHODCALLTYPE
  CreateCoreWebView2ControllerOptions(ICoreWebView2ControllerOptions** options) noexcept override {
    return hand_out("ICoreWebView2Environment10.CreateCoreWebView2ControllerOptions", options,
                    [] { return ControllerOptions::create().Detach(); });
  }
  HRESULT STDMETHODCALLTYPE CreateCoreWebView2ControllerWithOptions(
      HWND parent, ICoreWebView2ControllerOptions* options, ControllerHandler* handler) noexcept override {
    // The options are the runtime's own object: read as it is, without a call through the ABI.
    const auto* own = static_cast<ControllerOptions*>(options);
    const std::wstring profile = own ? own->profile_name() : L"";
    const HRESULT hr = logged("ICoreWebView2Environment10.CreateCoreWebView2ControllerWithOptions",
                              "container, private=" + flag(own && own->private_mode()) + " profile=" +
                                  text(profile.empty() ? nullptr : profile.c_str()) + ", handler");
    if (SUCCEEDED(hr)) start_controller(parent, handler);
    return hr;
  }

 private:
  static void start_controller(HWND parent, ControllerHandler* handler) {
    complete_later<ControllerHandler, ICoreWebView2Controller>(
        "controller", handler, controller_completion(), controller_delay_ms(),
        [parent] { return ComPtr<ICoreWebView2Controller>(Controller::create(parent)); });
  }
};

// What the runtime reads from the host's options object, as a real one does: each interface asked for,
// each getter called, each string freed.
template <typename I>
void read_options(ICoreWebView2EnvironmentOptions* options, const char* name, void (*read)(I*)) {
  ComPtr<I> view;
  const HRESULT hr = options->QueryInterface(IID_PPV_ARGS(&view));
  if (FAILED(hr) || !view) {
    log_line(std::string("option interface ") + name + " missing " + hex(hr));
    return;
  }
  read(view.Get());
}

template <typename I>
void read_string(I* view, HRESULT (STDMETHODCALLTYPE I::*getter)(LPWSTR*), const char* name) {
  LPWSTR value = nullptr;
  const HRESULT hr = (view->*getter)(&value);
  log_line(std::string("option ") + name + " = " + text(value) + " " + hex(hr));
  CoTaskMemFree(value);
}

template <typename I, typename T>
void read_value(I* view, HRESULT (STDMETHODCALLTYPE I::*getter)(T*), const char* name) {
  T value{};
  const HRESULT hr = (view->*getter)(&value);
  log_line(std::string("option ") + name + " = " + std::to_string(static_cast<long long>(value)) + " " +
           hex(hr));
}

void read_all_options(ICoreWebView2EnvironmentOptions* options) {
  read_options<ICoreWebView2EnvironmentOptions>(options, "Options", [](ICoreWebView2EnvironmentOptions* o) {
    using I = ICoreWebView2EnvironmentOptions;
    read_string<I>(o, &I::get_AdditionalBrowserArguments, "AdditionalBrowserArguments");
    read_string<I>(o, &I::get_Language, "Language");
    read_string<I>(o, &I::get_TargetCompatibleBrowserVersion, "TargetCompatibleBrowserVersion");
    read_value<I, BOOL>(o, &I::get_AllowSingleSignOnUsingOSPrimaryAccount,
                        "AllowSingleSignOnUsingOSPrimaryAccount");
  });
  read_options<ICoreWebView2EnvironmentOptions2>(
      options, "Options2", [](ICoreWebView2EnvironmentOptions2* o) {
        read_value<ICoreWebView2EnvironmentOptions2, BOOL>(
            o, &ICoreWebView2EnvironmentOptions2::get_ExclusiveUserDataFolderAccess,
            "ExclusiveUserDataFolderAccess");
      });
  read_options<ICoreWebView2EnvironmentOptions3>(
      options, "Options3", [](ICoreWebView2EnvironmentOptions3* o) {
        read_value<ICoreWebView2EnvironmentOptions3, BOOL>(
            o, &ICoreWebView2EnvironmentOptions3::get_IsCustomCrashReportingEnabled,
            "IsCustomCrashReportingEnabled");
      });
  read_options<ICoreWebView2EnvironmentOptions4>(
      options, "Options4", [](ICoreWebView2EnvironmentOptions4* o) {
        UINT32 count = 99;
        ICoreWebView2CustomSchemeRegistration** registrations = nullptr;
        const HRESULT hr = o->GetCustomSchemeRegistrations(&count, &registrations);
        log_line("option CustomSchemeRegistrations = " + std::to_string(count) +
                 (registrations ? " array " : " null ") + hex(hr));
        CoTaskMemFree(registrations);
      });
  read_options<ICoreWebView2EnvironmentOptions5>(
      options, "Options5", [](ICoreWebView2EnvironmentOptions5* o) {
        read_value<ICoreWebView2EnvironmentOptions5, BOOL>(
            o, &ICoreWebView2EnvironmentOptions5::get_EnableTrackingPrevention, "EnableTrackingPrevention");
      });
  read_options<ICoreWebView2EnvironmentOptions6>(
      options, "Options6", [](ICoreWebView2EnvironmentOptions6* o) {
        read_value<ICoreWebView2EnvironmentOptions6, BOOL>(
            o, &ICoreWebView2EnvironmentOptions6::get_AreBrowserExtensionsEnabled,
            "AreBrowserExtensionsEnabled");
      });
  read_options<ICoreWebView2EnvironmentOptions7>(
      options, "Options7", [](ICoreWebView2EnvironmentOptions7* o) {
        using I = ICoreWebView2EnvironmentOptions7;
        read_value<I, COREWEBVIEW2_CHANNEL_SEARCH_KIND>(o, &I::get_ChannelSearchKind, "ChannelSearchKind");
        read_value<I, COREWEBVIEW2_RELEASE_CHANNELS>(o, &I::get_ReleaseChannels, "ReleaseChannels");
      });
  read_options<ICoreWebView2EnvironmentOptions8>(
      options, "Options8", [](ICoreWebView2EnvironmentOptions8* o) {
        read_value<ICoreWebView2EnvironmentOptions8, COREWEBVIEW2_SCROLLBAR_STYLE>(
            o, &ICoreWebView2EnvironmentOptions8::get_ScrollBarStyle, "ScrollBarStyle");
      });
}

ComPtr<ICoreWebView2Environment10> make_environment() {
  return Environment::create();
}

// As the real loader does: a runtime folder named by WEBVIEW2_BROWSER_EXECUTABLE_FOLDER without the
// browser in it is no runtime, and the loader answers with the file not found.
HRESULT runtime_found() {
  wchar_t folder[MAX_PATH];
  const DWORD length = GetEnvironmentVariableW(L"WEBVIEW2_BROWSER_EXECUTABLE_FOLDER", folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return S_OK;
  const std::wstring browser = std::wstring(folder) + L"\\msedgewebview2.exe";
  return GetFileAttributesW(browser.c_str()) == INVALID_FILE_ATTRIBUTES
             ? HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)
             : S_OK;
}

// The browser keeps its profile there, so the real runtime makes the folder as it starts.
void create_user_data_folder(PCWSTR folder) {
  if (!folder || !*folder) return;
  std::error_code ignored;
  std::filesystem::create_directories(std::filesystem::path(folder), ignored);
}

}  // namespace
}  // namespace corvane::test_runtime

extern "C" HRESULT STDAPICALLTYPE CreateCoreWebView2EnvironmentWithOptions(
    PCWSTR browser_folder, PCWSTR user_data_folder, ICoreWebView2EnvironmentOptions* options,
    ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler* handler) {
  using namespace corvane::test_runtime;
  // The runtime's objects belong to this thread from now on, and it must be a single-threaded one.
  const bool apartment_ok = adopt_ui_thread();
  watch_task_memory();
  watch_first_paint();
  if (options) read_all_options(options);
  const HRESULT found = apartment_ok ? runtime_found() : RPC_E_CHANGED_MODE;
  const HRESULT hr = logged("CreateCoreWebView2EnvironmentWithOptions",
                            text(browser_folder) + ", " + text(user_data_folder) + ", " +
                                (options ? "options" : "null") + ", " + (handler ? "handler" : "null"),
                            found);
  if (FAILED(hr)) return hr;
  if (!handler) return E_POINTER;
  create_user_data_folder(user_data_folder);
  complete_later<EnvironmentHandler, ICoreWebView2Environment>(
      "environment", handler, environment_completion(), environment_delay_ms(),
      [] { return corvane::ComPtr<ICoreWebView2Environment>(make_environment()); });
  return S_OK;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, void*) {
  // At the end of the host process: what is still alive, who holds it, and whether the host kept its
  // side of the contract.
  if (reason == DLL_PROCESS_DETACH) {
    corvane::test_runtime::log_line("process ending");
    corvane::test_runtime::report_objects();
    corvane::test_runtime::report_contract();
  }
  return TRUE;
}
