#pragma once
// Strings the WebView2 Runtime hands over: CoTaskMemAlloc'd UTF-16 for the host to free.
#include <windows.h>

#include <optional>
#include <string>

#include "support/com_status.h"

namespace corvane {

// Measures with lstrlenW, converts to UTF-8 (unpaired surrogates become U+FFFD) and frees the
// buffer; NULL reads as the empty text.
std::string take_runtime_string(LPWSTR text);
std::wstring take_runtime_wstring(LPWSTR text);

// A getter's string, or the failure to get it. The buffer is freed either way: a failing runtime may
// still have handed one out.
template <typename Object, typename Text>
std::optional<ComStatus> read_runtime_string(Object* object,
                                             HRESULT (STDMETHODCALLTYPE Object::*getter)(LPWSTR*),
                                             Text& out) {
  LPWSTR text = nullptr;
  const HRESULT hr = (object->*getter)(&text);
  if (FAILED(hr)) {
    take_runtime_wstring(text);
    return ComStatus::from_thread(hr);
  }
  if constexpr (std::is_same_v<Text, std::wstring>) {
    out = take_runtime_wstring(text);
  } else {
    out = take_runtime_string(text);
  }
  return std::nullopt;
}

}  // namespace corvane
