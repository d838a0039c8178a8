#pragma once
#include "support/com_status.h"
#include "webview/navigation_types.h"
#include "webview/webview2.h"

namespace corvane {

// Puts the navigation to the policy and cancels what it denies. A URL that cannot be read is never
// allowed: the navigation is cancelled and the failure goes back to the runtime.
ComStatus on_navigation_starting(const NavigationCallback& navigation,
                                 ICoreWebView2NavigationStartingEventArgs* args);

}  // namespace corvane
