#include "webview/webview_failure.h"

#include "support/text.h"
#include "support/hresult.h"

namespace corvane {
namespace {

std::string description_of(IErrorInfo* info) {
  if (info == nullptr) return {};
  BSTR description = nullptr;
  if (FAILED(info->GetDescription(&description)) || description == nullptr) return {};
  std::string text = to_utf8(std::wstring_view(description, SysStringLen(description)));
  SysFreeString(description);
  return text;
}

}  // namespace

WebViewError system_failure(HRESULT code, std::string message) {
  return {WebView2Failure{WebView2Failure::SystemError{code, std::move(message)}}};
}

WebViewError failure_with_thread_info(HRESULT code) {
  return failure_from(ComStatus::from_thread(code));
}

WebViewError failure_from(const ComStatus& status) {
  return system_failure(status.code, description_of(status.info.Get()));
}

WebViewError last_error_failure() {
  return system_failure(hresult_from_win32(GetLastError()));
}

WebViewStatus checked(HRESULT code) {
  if (FAILED(code)) return failure_with_thread_info(code);
  return std::nullopt;
}

WebViewStatus checked(const ComStatus& status) {
  if (status.failed()) return failure_from(status);
  return std::nullopt;
}

}  // namespace corvane
