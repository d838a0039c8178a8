#pragma once
// The web view host's entry point: a WebView2 browser filling the main window.
#include <windows.h>

#include <string_view>

#include "webview/navigation_types.h"
#include "webview/webview2.h"
#include "webview/webview_failure.h"

namespace corvane {

struct HostedWebView {
  ComPtr<ICoreWebView2Controller> controller;
  ComPtr<ICoreWebView2> web_view;
  ComPtr<ICoreWebView2Environment> environment;
  HWND parent = nullptr;
  HWND container = nullptr;
};

// Creates the environment, the container window, the controller and the web view, applies the
// settings, registers the event handlers, starts the navigation to the start URL and fits the web view
// to the parent. Waits for the runtime's asynchronous creations while dispatching messages. On failure
// the references taken are released; windows made so far stay.
WebViewResult<HostedWebView> create_hosted_web_view(HWND parent, std::wstring_view user_data_folder,
                                                    std::string_view start_url, NavigationCallback navigation,
                                                    NewWindowCallback new_window);

// Fits the controller and the container to the parent's client area.
WebViewStatus resize_to_parent(const HostedWebView& hosted);

// Closes the controller, detaches the parent's subclass and releases the references. The container
// window is left to go with its parent.
void close_hosted_web_view(HostedWebView&& hosted);

}  // namespace corvane
