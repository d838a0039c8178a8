#include "webview/download_path.h"

#include <array>

#include "support/ascii.h"

namespace corvane {
namespace {

constexpr std::wstring_view kVerbatimPrefix = L"\\\\?\\";
constexpr std::array<std::wstring_view, 22> kReservedNames = {
    L"AUX",  L"NUL",  L"PRN",  L"CON",  L"COM1", L"COM2", L"COM3", L"COM4", L"COM5", L"COM6", L"COM7",
    L"COM8", L"COM9", L"LPT1", L"LPT2", L"LPT3", L"LPT4", L"LPT5", L"LPT6", L"LPT7", L"LPT8", L"LPT9"};

bool is_drive_path(std::wstring_view path) {
  const auto letter = [](wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); };
  return path.size() >= 3 && letter(path[0]) && path[1] == L':' && path[2] == L'\\';
}

bool forbidden(wchar_t c) {
  return c < 32 || std::wstring_view(L"\"*/:<>?\\|").find(c) != std::wstring_view::npos;
}

bool valid_component(std::wstring_view component) {
  if (component.empty() || component.size() > 255) return false;
  for (wchar_t c : component) {
    if (forbidden(c)) return false;
  }
  if (component.back() == L' ' || component.back() == L'.') return false;
  const std::wstring_view stem = component.substr(0, component.rfind(L'.'));
  for (std::wstring_view reserved : kReservedNames) {
    if (equals_ignoring_ascii_case(stem, reserved)) return false;
  }
  return true;
}

// A drive path that needs no verbatim prefix to mean what it says.
bool valid_without_prefix(std::wstring_view path) {
  if (path.size() > 260 || !is_drive_path(path)) return false;
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
