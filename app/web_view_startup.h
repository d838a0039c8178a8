#pragma once
#include <optional>

#include "webview/hosted_web_view.h"
#include "window/main_window.h"

namespace corvane {

// Builds the web view that fills the main window, with the profile folder, the start page and the
// navigation policy. On failure it shows the WebView2 dialog, opens the download link and releases the
// window; the caller then ends with the exit code 0.
std::optional<HostedWebView> start_web_view(MainWindow& window);

}  // namespace corvane
