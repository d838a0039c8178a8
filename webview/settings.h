#pragma once
#include "webview/webview2.h"
#include "webview/webview_failure.h"

namespace corvane {

// No status bar, developer tools, zoom by keys, pinch or swipe; scripts, context menus and autofill
// on. Rows whose interface the runtime lacks are skipped.
WebViewStatus apply_settings(ICoreWebView2* web_view);

}  // namespace corvane
