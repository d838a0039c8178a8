#pragma once
#include <windows.h>

#include <memory>

#include "support/com_status.h"
#include "webview/navigation_types.h"
#include "webview/webview2.h"

namespace corvane {

// Reads the request, takes a deferral and posts the decision to the container, to be taken after this
// event has returned to the runtime. A request that cannot be read, deferred or posted, or whose
// container goes before it is decided, is denied and its deferral completed; a request is never left
// open.
ComStatus on_new_window_requested(const std::shared_ptr<const NewWindowCallback>& handler,
                                  ICoreWebView2Environment* environment, HWND container,
                                  ComPtr<ICoreWebView2> sender,
                                  ComPtr<ICoreWebView2NewWindowRequestedEventArgs> args);

}  // namespace corvane
