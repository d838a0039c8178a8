#include "webview/message_pump.h"

namespace corvane {

std::optional<WebViewError> pump_one_message() {
  MSG msg;
  const BOOL result = GetMessageA(&msg, nullptr, 0, 0);
  if (result == -1) return last_error_failure();
  if (result == 0) return WebViewError{WebView2Failure{WebView2Failure::Cancelled{}}};
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
  return std::nullopt;
}

}  // namespace corvane
