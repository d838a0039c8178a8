#pragma once
#include <string_view>

#include "webview/message_pump.h"
#include "webview/webview2.h"

namespace corvane {

// Joins the thread to a single-threaded apartment; an existing apartment of any kind is fine.
void join_single_threaded_apartment();

// Starts the browser environment against the user data folder with the program's fixed options and
// waits for it, dispatching messages meanwhile.
WebViewResult<ComPtr<ICoreWebView2Environment>> create_environment(std::wstring_view user_data_folder);

}  // namespace corvane
