#include "webview/event_adapters.h"

#include <memory>

#include "support/hresult.h"
#include "webview/callback_types.h"
#include "webview/container.h"
#include "webview/download_starting.h"
#include "webview/navigation_starting.h"
#include "webview/new_window_requested.h"
#include "window/window_destruction.h"

namespace corvane {
namespace {

// A page's window.close: the web view goes, the main window stays.
ComStatus on_window_close_requested(HWND container) {
  if (!destroy_window(container)) return {hresult_from_win32(GetLastError()), nullptr};
  return {};
}

}  // namespace

WebViewStatus register_event_handlers(ICoreWebView2* web_view, ICoreWebView2Environment* environment,
                                      HWND container, NavigationCallback navigation,
                                      NewWindowCallback new_window) {
  EventRegistrationToken token;
  auto on_close = WindowCloseRequestedCallback::create(
      [container](ComPtr<ICoreWebView2>, ComPtr<IUnknown>) { return on_window_close_requested(container); });
  if (auto failure = checked(web_view->add_WindowCloseRequested(on_close.Get(), &token))) return failure;

  auto on_navigation = NavigationStartingCallback::create(
      [navigation = std::move(navigation)](ComPtr<ICoreWebView2>,
                                           ComPtr<ICoreWebView2NavigationStartingEventArgs> args) {
        return on_navigation_starting(navigation, args.Get());
      });
  if (auto failure = checked(web_view->add_NavigationStarting(on_navigation.Get(), &token))) return failure;

  auto on_new_window = NewWindowRequestedCallback::create(
      [handler = std::make_shared<const NewWindowCallback>(std::move(new_window)),
       environment = ComPtr<ICoreWebView2Environment>(environment),
       container](ComPtr<ICoreWebView2> sender, ComPtr<ICoreWebView2NewWindowRequestedEventArgs> args) {
        return on_new_window_requested(handler, environment.Get(), container, std::move(sender),
                                       std::move(args));
      });
  if (auto failure = checked(web_view->add_NewWindowRequested(on_new_window.Get(), &token))) return failure;

  install_container_subclass(container);

  ComPtr<ICoreWebView2_4> web_view_4;
  if (auto failure = checked(obtained(web_view->QueryInterface(IID_PPV_ARGS(&web_view_4)), web_view_4)))
    return failure;
  auto on_download = DownloadStartingCallback::create(
      [](ComPtr<ICoreWebView2>, ComPtr<ICoreWebView2DownloadStartingEventArgs> args) {
        return on_download_starting(args.Get());
      });
  return checked(web_view_4->add_DownloadStarting(on_download.Get(), &token));
}

}  // namespace corvane
