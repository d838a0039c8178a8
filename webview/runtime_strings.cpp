#include "webview/runtime_strings.h"

#include "support/handles.h"
#include "support/text.h"

namespace corvane {

std::wstring take_runtime_wstring(LPWSTR text) {
  const CoTaskString owned(text);
  return text ? std::wstring(text, static_cast<size_t>(lstrlenW(text))) : std::wstring();
}

std::string take_runtime_string(LPWSTR text) {
  return to_utf8(take_runtime_wstring(text));
}

}  // namespace corvane
