// Download paths: the verbatim prefix may only be dropped when Win32, reading the path without it,
// would open the very same file: not a device, not a stream, not a path it shortens or rewrites,
// and not one too long for it. Nothing else about a path may change.
#include <cstddef>
#include <cstdint>
#include <string>

#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/win32_path.h"
#include "webview/download_path.h"

namespace corvane {
namespace {

constexpr std::wstring_view kVerbatimPrefix = L"\\\\?\\";

std::string shown(std::wstring_view path) {
  std::string out;
  for (wchar_t c : path) out += c >= 32 && c < 127 ? static_cast<char>(c) : '?';
  return out;
}

void check(std::wstring_view path) {
  const std::wstring simplest = simplest_form(path);
  FUZZ_CHECK(simplest_form(simplest) == simplest, "not stable: %s", shown(path).c_str());
  if (simplest == path) return;
  FUZZ_CHECK(path.starts_with(kVerbatimPrefix) && simplest == path.substr(kVerbatimPrefix.size()),
             "changed beyond the prefix: %s", shown(path).c_str());
  FUZZ_CHECK(simplest.size() <= fuzz::kLongestPlainPath, "too long without the prefix: %zu characters",
             simplest.size());
  FUZZ_CHECK(simplest.size() >= 3 && simplest[1] == L':' && simplest[2] == L'\\', "not a drive path: %s",
             shown(simplest).c_str());
  FUZZ_CHECK(!fuzz::has_invalid_name_character(std::wstring_view(simplest).substr(2)),
             "a refused character: %s", shown(simplest).c_str());
  FUZZ_CHECK(fuzz::win32_normalised(simplest) == simplest, "Win32 would rewrite %s", shown(simplest).c_str());
  FUZZ_CHECK(!fuzz::names_device(simplest), "Win32 would open a device for %s", shown(simplest).c_str());
}

}  // namespace
}  // namespace corvane

// The input is the path in UTF-16LE code units.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::wstring path;
  for (size_t i = 0; i + 1 < size; i += 2) path += static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
  corvane::check(path);
  return 0;
}
