#pragma once
// The four events the host handles: navigations and new windows put to the application's policy,
// downloads accepted silently, and a page's close request honoured.
#include <windows.h>

#include "webview/navigation_types.h"
#include "webview/webview2.h"
#include "webview/webview_failure.h"

namespace corvane {

// Registers WindowCloseRequested, NavigationStarting and NewWindowRequested, installs the container's
// subclass, then registers DownloadStarting. Tokens are not kept: no handler is ever removed.
WebViewStatus register_event_handlers(ICoreWebView2* web_view, ICoreWebView2Environment* environment,
                                      HWND container, NavigationCallback navigation,
                                      NewWindowCallback new_window);

}  // namespace corvane
