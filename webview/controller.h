#pragma once
// The WebView2 controller inside the container, and the parent's subclass that keeps it in step with
// the main window.
#include <windows.h>

#include <optional>

#include "webview/message_pump.h"
#include "webview/webview2.h"

namespace corvane {

inline constexpr UINT_PTR kParentSubclassId = 1124;
// Sent to the parent to make its subclass detach itself.
inline constexpr UINT kDetachParentSubclass = 0x465;

// Creates the controller, with private mode off through the options where the environment offers
// them, and waits for it while dispatching messages.
WebViewResult<ComPtr<ICoreWebView2Controller>> create_controller(ICoreWebView2Environment* environment,
                                                                 HWND container);

// The parent's client area at the origin: the controller's bounds and the container's size.
std::optional<RECT> client_bounds(HWND parent);
// Sizes the container to the bounds, without activating it or changing its place among its siblings.
bool fit_container(HWND container, const RECT& bounds);

// Passes the parent's size, moves and focus to the controller; holds its own reference to it.
void install_parent_subclass(HWND parent, ICoreWebView2Controller* controller);
void remove_parent_subclass(HWND parent);

}  // namespace corvane
