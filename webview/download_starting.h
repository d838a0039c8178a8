#pragma once
#include "support/com_status.h"
#include "webview/webview2.h"

namespace corvane {

// Accepts the download silently at the proposed path, in its simplest form. A download whose URL or
// path cannot be read is not let through: it is cancelled and the failure goes back to the runtime.
ComStatus on_download_starting(ICoreWebView2DownloadStartingEventArgs* args);

}  // namespace corvane
