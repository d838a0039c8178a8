#include "webview/download_path.h"

#include <array>

#include "support/ascii.h"

namespace corvane {
namespace {

constexpr std::wstring_view kVerbatimPrefix = L"\\\\?\\";
// MAX_PATH counts the terminating NUL, so a plain path has one character less.
constexpr size_t kLongestPlainPath = 259;
constexpr std::array<std::wstring_view, 4> kReservedNames = {L"AUX", L"NUL", L"PRN", L"CON"};

bool is_drive_path(std::wstring_view path) {
  const auto letter = [](wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); };
  return path.size() >= 3 && letter(path[0]) && path[1] == L':' && path[2] == L'\\';
}

bool forbidden(wchar_t c) {
  return c < 32 || std::wstring_view(L"\"*/:<>?\\|").find(c) != std::wstring_view::npos;
}

// Windows reads a device name up to the first dot, without trailing spaces: "CON.tar.gz" and
// "nul .txt" open devices. COM and LPT take the digits 1 to 9 and the superscripts 1, 2 and 3.
bool device_name(std::wstring_view component) {
  std::wstring_view stem = component.substr(0, component.find(L'.'));
  while (!stem.empty() && stem.back() == L' ') stem.remove_suffix(1);
  for (std::wstring_view reserved : kReservedNames) {
    if (equals_ignoring_ascii_case(stem, reserved)) return true;
  }
  if (stem.size() != 4) return false;
  const wchar_t n = stem[3];
  const bool digit = (n >= L'1' && n <= L'9') || n == L'\u00B9' || n == L'\u00B2' || n == L'\u00B3';
  return digit && (equals_ignoring_ascii_case(stem.substr(0, 3), L"COM") ||
                   equals_ignoring_ascii_case(stem.substr(0, 3), L"LPT"));
}

bool valid_component(std::wstring_view component) {
  if (component.empty() || component.size() > 255) return false;
  for (wchar_t c : component) {
    if (forbidden(c)) return false;
  }
  if (component.back() == L' ' || component.back() == L'.') return false;
  return !device_name(component);
}

// A drive path that needs no verbatim prefix to mean what it says.
bool valid_without_prefix(std::wstring_view path) {
  if (path.size() > kLongestPlainPath || !is_drive_path(path)) return false;
  std::wstring_view rest = path.substr(3);
  while (true) {
    const size_t end = rest.find(L'\\');
    if (!valid_component(rest.substr(0, end))) return false;
    if (end == std::wstring_view::npos) return true;
    rest = rest.substr(end + 1);
  }
}

}  // namespace

DownloadDecision accept_all_downloads(std::string_view, std::wstring proposed_path) {
  return {true, std::move(proposed_path)};
}

std::wstring simplest_form(std::wstring_view path) {
  if (path.starts_with(kVerbatimPrefix)) {
    const std::wstring_view rest = path.substr(kVerbatimPrefix.size());
    if (valid_without_prefix(rest)) return std::wstring(rest);
  }
  return std::wstring(path);
}

}  // namespace corvane
