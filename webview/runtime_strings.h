#pragma once
// Strings the WebView2 Runtime hands over: CoTaskMemAlloc'd UTF-16 for the host to free.
#include <windows.h>

#include <string>

namespace corvane {

// Measures with lstrlenW, converts to UTF-8 (unpaired surrogates become U+FFFD) and frees the
// buffer; NULL reads as the empty text.
std::string take_runtime_string(LPWSTR text);
std::wstring take_runtime_wstring(LPWSTR text);

}  // namespace corvane
