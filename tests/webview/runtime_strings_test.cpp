#include "webview/runtime_strings.h"

#include <gtest/gtest.h>

#include <objbase.h>

#include <cstring>

namespace corvane {
namespace {

LPWSTR task_copy(const std::wstring& text) {
  auto* copy = static_cast<LPWSTR>(CoTaskMemAlloc((text.size() + 1) * sizeof(wchar_t)));
  std::memcpy(copy, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  return copy;
}

TEST(RuntimeStrings, ConvertFreeAndReplaceUnpairedSurrogates) {
  EXPECT_EQ(take_runtime_string(nullptr), "");
  EXPECT_EQ(take_runtime_string(task_copy(L"https://app.corvane.io/\u00e9")),
            "https://app.corvane.io/\xc3\xa9");
  EXPECT_EQ(take_runtime_string(task_copy(std::wstring{L'a', wchar_t(0xD800), L'b'})),
            "a\xef\xbf\xbd"
            "b");
  EXPECT_EQ(take_runtime_string(task_copy(std::wstring{wchar_t(0xD83D), wchar_t(0xDE00)})),
            "\xf0\x9f\x98\x80");
}

}  // namespace
}  // namespace corvane
