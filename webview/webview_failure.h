#pragma once
// Turning failed calls into the host's one error kind, "WebView2 error".
#include <windows.h>

#include <optional>

#include "support/com_status.h"
#include "support/result.h"
#include "webview/webview_error.h"

namespace corvane {

template <typename T>
using WebViewResult = Result<T, WebViewError>;
// Success (none) or the error that ended the creation.
using WebViewStatus = std::optional<WebViewError>;

WebViewError system_failure(HRESULT code, std::string message = {});
// The failure with the thread's COM error information as its message.
WebViewError failure_with_thread_info(HRESULT code);
WebViewError failure_from(const ComStatus& status);
// HRESULT_FROM_WIN32 of the thread's last error (0 when there is none).
WebViewError last_error_failure();
// Success, or the failed call's error with the thread's error information: the one step from a
// WebView2 call's HRESULT to the host's status.
WebViewStatus checked(HRESULT code);
// Success, or the failure with the error information the status carries.
WebViewStatus checked(const ComStatus& status);

}  // namespace corvane
