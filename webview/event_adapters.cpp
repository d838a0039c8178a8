#include "webview/event_adapters.h"

#include <memory>

#include "webview/callback_types.h"
#include "webview/container.h"
#include "webview/download_path.h"
#include "webview/runtime_strings.h"
#include "window/window_creation_error.h"

namespace corvane {
namespace {

// A getter's string, or the failure to get it.
template <typename Object>
std::optional<ComStatus> read_string(Object* object, HRESULT (STDMETHODCALLTYPE Object::*getter)(LPWSTR*),
                                     std::string& out) {
  LPWSTR text = nullptr;
  const HRESULT hr = (object->*getter)(&text);
  if (FAILED(hr)) {
    take_runtime_wstring(text);
    return ComStatus::from_thread(hr);
  }
  out = take_runtime_string(text);
  return std::nullopt;
}

ComStatus checked(HRESULT hr) {
  return FAILED(hr) ? ComStatus::from_thread(hr) : ComStatus{};
}

ComStatus on_window_close_requested(HWND container) {
  if (!DestroyWindow(container)) return {hresult_from_win32(GetLastError()), nullptr};
  return {};
}

ComStatus on_navigation_starting(const NavigationCallback& navigation,
                                 ICoreWebView2NavigationStartingEventArgs* args) {
  if (args == nullptr) return {};
  std::string url;
  if (auto failure = read_string(args, &ICoreWebView2NavigationStartingEventArgs::get_Uri, url))
    return *failure;
  const bool deny = navigation(url) == NavigationDecision::Deny;
  return checked(args->put_Cancel(deny));
}

NewWindowFeatures read_features(ICoreWebView2NewWindowRequestedEventArgs* args) {
  NewWindowFeatures features;
  ComPtr<ICoreWebView2WindowFeatures> window;
  if (FAILED(args->get_WindowFeatures(&window)) || !window) return features;
  // A failing getter reads as FALSE or 0.
  const auto flag = [&](HRESULT (STDMETHODCALLTYPE ICoreWebView2WindowFeatures::*getter)(BOOL*)) {
    BOOL value = FALSE;
    return SUCCEEDED((window.Get()->*getter)(&value)) && value;
  };
  const auto number = [&](HRESULT (STDMETHODCALLTYPE ICoreWebView2WindowFeatures::*getter)(UINT32*)) {
    UINT32 value = 0;
    return SUCCEEDED((window.Get()->*getter)(&value)) ? double(value) : 0.0;
  };
  if (flag(&ICoreWebView2WindowFeatures::get_HasPosition)) {
    features.position = NewWindowFeatures::Position{number(&ICoreWebView2WindowFeatures::get_Left),
                                                    number(&ICoreWebView2WindowFeatures::get_Top)};
  }
  if (flag(&ICoreWebView2WindowFeatures::get_HasSize)) {
    features.size = NewWindowFeatures::Size{number(&ICoreWebView2WindowFeatures::get_Width),
                                            number(&ICoreWebView2WindowFeatures::get_Height)};
  }
  return features;
}

// A new-window request held open by its deferral until the container runs it.
struct PendingNewWindowRequest {
  std::string url;
  NewWindowFeatures features;
  std::shared_ptr<const NewWindowCallback> handler;
  ComPtr<ICoreWebView2NewWindowRequestedEventArgs> args;
  ComPtr<ICoreWebView2Deferral> deferral;

  void run() {
    const NewWindowDecision decision = (*handler)(url, std::move(features));
    if (decision.kind == NewWindowDecision::Kind::Allow) {
      args->put_Handled(FALSE);  // the runtime opens its own window
    } else {
      args->put_Handled(TRUE);
      if (decision.kind == NewWindowDecision::Kind::Create) {
        args->put_NewWindow(static_cast<ICoreWebView2*>(decision.web_view.get()));
      }
    }
    deferral->Complete();
  }
};

ComStatus on_new_window_requested(const std::shared_ptr<const NewWindowCallback>& handler,
                                  ICoreWebView2Environment* environment, HWND container,
                                  ComPtr<ICoreWebView2> sender,
                                  ComPtr<ICoreWebView2NewWindowRequestedEventArgs> args) {
  if (!args) return {};
  auto pending = std::make_shared<PendingNewWindowRequest>();
  if (auto failure =
          read_string(args.Get(), &ICoreWebView2NewWindowRequestedEventArgs::get_Uri, pending->url)) {
    return *failure;
  }
  pending->features = read_features(args.Get());
  pending->features.opener_web_view = OpaqueComRef(ComPtr<ICoreWebView2>(sender).Detach());
  pending->features.opener_environment = OpaqueComRef(ComPtr<ICoreWebView2Environment>(environment).Detach());
  if (const HRESULT hr = args->GetDeferral(&pending->deferral); FAILED(hr)) return ComStatus::from_thread(hr);
  pending->handler = handler;
  pending->args = std::move(args);
  // The decision is taken one message later, after this callback has returned to the runtime. If the
  // post fails the request is never run, and its references go with it.
  post_to_container(container, [pending] { pending->run(); });
  return {};
}

ComStatus on_download_starting(ICoreWebView2DownloadStartingEventArgs* args) {
  if (args == nullptr) return {};
  std::string url;
  {
    ComPtr<ICoreWebView2DownloadOperation> operation;
    if (const HRESULT hr = args->get_DownloadOperation(&operation); FAILED(hr))
      return ComStatus::from_thread(hr);
    if (auto failure = read_string(operation.Get(), &ICoreWebView2DownloadOperation::get_Uri, url))
      return *failure;
  }
  LPWSTR proposed = nullptr;
  if (const HRESULT hr = args->get_ResultFilePath(&proposed); FAILED(hr)) {
    take_runtime_wstring(proposed);
    return ComStatus::from_thread(hr);
  }
  const DownloadDecision decision = accept_all_downloads(url, take_runtime_wstring(proposed));
  if (!decision.accept) return checked(args->put_Cancel(TRUE));
  const std::wstring path = simplest_form(decision.path);
  if (const HRESULT hr = args->put_ResultFilePath(path.c_str()); FAILED(hr))
    return ComStatus::from_thread(hr);
  // Handled hides the runtime's own download UI.
  return checked(args->put_Handled(TRUE));
}

WebViewStatus registered(HRESULT hr) {
  if (FAILED(hr)) return failure_with_thread_info(hr);
  return std::nullopt;
}

}  // namespace

WebViewStatus register_event_handlers(ICoreWebView2* web_view, ICoreWebView2Environment* environment,
                                      HWND container, NavigationCallback navigation,
                                      NewWindowCallback new_window) {
  EventRegistrationToken token;
  auto on_close = WindowCloseRequestedCallback::create(
      [container](ComPtr<ICoreWebView2>, ComPtr<IUnknown>) { return on_window_close_requested(container); });
  if (auto failure = registered(web_view->add_WindowCloseRequested(on_close.Get(), &token))) return failure;

  auto on_navigation = NavigationStartingCallback::create(
      [navigation = std::move(navigation)](ComPtr<ICoreWebView2>,
                                           ComPtr<ICoreWebView2NavigationStartingEventArgs> args) {
        return on_navigation_starting(navigation, args.Get());
      });
  if (auto failure = registered(web_view->add_NavigationStarting(on_navigation.Get(), &token)))
    return failure;

  auto on_new_window = NewWindowRequestedCallback::create(
      [handler = std::make_shared<const NewWindowCallback>(std::move(new_window)),
       environment = ComPtr<ICoreWebView2Environment>(environment),
       container](ComPtr<ICoreWebView2> sender, ComPtr<ICoreWebView2NewWindowRequestedEventArgs> args) {
        return on_new_window_requested(handler, environment.Get(), container, std::move(sender),
                                       std::move(args));
      });
  if (auto failure = registered(web_view->add_NewWindowRequested(on_new_window.Get(), &token)))
    return failure;

  install_container_subclass(container);

  ComPtr<ICoreWebView2_4> web_view_4;
  if (auto failure = registered(web_view->QueryInterface(IID_PPV_ARGS(&web_view_4)))) return failure;
  auto on_download = DownloadStartingCallback::create(
      [](ComPtr<ICoreWebView2>, ComPtr<ICoreWebView2DownloadStartingEventArgs> args) {
        return on_download_starting(args.Get());
      });
  return registered(web_view_4->add_DownloadStarting(on_download.Get(), &token));
}

}  // namespace corvane
