#include "webview/hosted_web_view.h"

#include "support/text.h"
#include "webview/container.h"
#include "webview/controller.h"
#include "webview/environment.h"
#include "webview/event_adapters.h"
#include "webview/parent_subclass.h"
#include "webview/settings.h"

namespace corvane {
namespace {

WebViewStatus navigate(ICoreWebView2* web_view, std::string_view url) {
  return checked(web_view->Navigate(to_utf16(url).c_str()));
}

// Shows the controller, focuses it and fits it to the parent, with the parent's subclass in place.
WebViewResult<HostedWebView> finish(HostedWebView hosted) {
  install_parent_subclass(hosted.parent, hosted.controller.Get());
  if (auto failure = checked(hosted.controller->put_IsVisible(TRUE))) return std::move(*failure);
  hosted.controller->MoveFocus(COREWEBVIEW2_MOVE_FOCUS_REASON_PROGRAMMATIC);
  if (auto failure = resize_to_parent(hosted)) {
    close_hosted_web_view(std::move(hosted));
    return std::move(*failure);
  }
  return hosted;
}

}  // namespace

WebViewResult<HostedWebView> create_hosted_web_view(HWND parent, std::wstring_view user_data_folder,
                                                    std::string_view start_url, NavigationCallback navigation,
                                                    NewWindowCallback new_window) {
  join_single_threaded_apartment();
  auto container = create_container(parent);
  if (!container) return std::move(container.error());
  auto environment = create_environment(user_data_folder);
  if (!environment) return std::move(environment.error());
  auto controller = create_controller(environment.value().Get(), container.value());
  if (!controller) return std::move(controller.error());

  HostedWebView hosted{std::move(controller.value()), nullptr, std::move(environment.value()), parent,
                       container.value()};
  if (auto failure =
          checked(obtained(hosted.controller->get_CoreWebView2(&hosted.web_view), hosted.web_view)))
    return std::move(*failure);
  if (auto failure = apply_settings(hosted.web_view.Get())) return std::move(*failure);
  if (auto failure =
          register_event_handlers(hosted.web_view.Get(), hosted.environment.Get(), hosted.container,
                                  std::move(navigation), std::move(new_window))) {
    return std::move(*failure);
  }
  if (auto failure = navigate(hosted.web_view.Get(), start_url)) return std::move(*failure);
  return finish(std::move(hosted));
}

WebViewStatus resize_to_parent(const HostedWebView& hosted) {
  const std::optional<RECT> bounds = client_bounds(hosted.parent);
  if (!bounds) return last_error_failure();
  if (auto failure = checked(hosted.controller->put_Bounds(*bounds))) return failure;
  if (!fit_container(hosted.container, *bounds)) return last_error_failure();
  return std::nullopt;
}

void close_hosted_web_view(HostedWebView&& hosted) {
  hosted.controller->Close();
  remove_parent_subclass(hosted.parent);
  hosted.controller = nullptr;
  hosted.web_view = nullptr;
  hosted.environment = nullptr;
}

}  // namespace corvane
