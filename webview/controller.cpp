#include "webview/controller.h"

namespace corvane {
namespace {

using ControllerCompleted = ICoreWebView2CreateCoreWebView2ControllerCompletedHandler;

// Asks for the controller, with private mode off through the options where the environment offers
// them.
ComStatus request_controller(ICoreWebView2Environment* environment, HWND container,
                             ControllerCompleted* callback) {
  ComPtr<ICoreWebView2Environment10> environment10;
  if (FAILED(environment->QueryInterface(IID_PPV_ARGS(&environment10))) || !environment10)
    return ComStatus::of(environment->CreateCoreWebView2Controller(container, callback));
  ComPtr<ICoreWebView2ControllerOptions> options;
  if (ComStatus failure = obtained(environment10->CreateCoreWebView2ControllerOptions(&options), options);
      failure.failed()) {
    return failure;
  }
  if (const HRESULT hr = options->put_IsInPrivateModeEnabled(FALSE); FAILED(hr))
    return ComStatus::from_thread(hr);
  return ComStatus::of(
      environment10->CreateCoreWebView2ControllerWithOptions(container, options.Get(), callback));
}

}  // namespace

std::optional<RECT> client_bounds(HWND parent) {
  RECT client;
  if (!GetClientRect(parent, &client)) return std::nullopt;
  return RECT{0, 0, client.right - client.left, client.bottom - client.top};
}

bool fit_container(HWND container, const RECT& bounds) {
  return SetWindowPos(container, nullptr, 0, 0, bounds.right, bounds.bottom,
                      SWP_ASYNCWINDOWPOS | SWP_NOACTIVATE | SWP_NOZORDER);
}

WebViewResult<ComPtr<ICoreWebView2Controller>> create_controller(ICoreWebView2Environment* environment,
                                                                 HWND container) {
  auto slot = std::make_shared<ResultSlot<ComPtr<ICoreWebView2Controller>>>();
  {
    const auto callback = deliver_into<ControllerCompleted, ICoreWebView2Controller>(slot);
    if (auto failure = checked(request_controller(environment, container, callback.Get())))
      return std::move(*failure);
  }
  return wait_with_message_pump(*slot);
}

}  // namespace corvane
