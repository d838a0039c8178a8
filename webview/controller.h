#pragma once
// The WebView2 controller inside the container.
#include <windows.h>

#include <optional>

#include "webview/message_pump.h"
#include "webview/webview2.h"

namespace corvane {

// Creates the controller, with private mode off through the options where the environment offers
// them, and waits for it while dispatching messages.
WebViewResult<ComPtr<ICoreWebView2Controller>> create_controller(ICoreWebView2Environment* environment,
                                                                 HWND container);

// The parent's client area at the origin: the controller's bounds and the container's size.
std::optional<RECT> client_bounds(HWND parent);
// Sizes the container to the bounds, without activating it or changing its place among its siblings.
bool fit_container(HWND container, const RECT& bounds);

}  // namespace corvane
