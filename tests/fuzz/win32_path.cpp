#include "tests/fuzz/win32_path.h"

#include <algorithm>
#include <array>
#include <vector>

namespace corvane::fuzz {
namespace {

std::vector<std::wstring_view> components(std::wstring_view path) {
  std::vector<std::wstring_view> parts;
  size_t start = 0;
  for (size_t i = 0; i <= path.size(); ++i) {
    if (i == path.size() || path[i] == L'\\' || path[i] == L'/') {
      parts.push_back(path.substr(start, i - start));
      start = i + 1;
    }
  }
  return parts;
}

wchar_t upper(wchar_t c) {
  return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

bool device_name(std::wstring_view component) {
  const size_t end = component.find_first_of(L".:");
  std::wstring_view name = component.substr(0, end);
  while (!name.empty() && name.back() == L' ') name.remove_suffix(1);
  std::wstring upper_name;
  for (wchar_t c : name) upper_name += upper(c);
  constexpr std::array<std::wstring_view, 4> three = {L"CON", L"PRN", L"AUX", L"NUL"};
  if (std::find(three.begin(), three.end(), upper_name) != three.end()) return true;
  if (upper_name.size() != 4 || (!upper_name.starts_with(L"COM") && !upper_name.starts_with(L"LPT"))) {
    return false;
  }
  const wchar_t n = upper_name[3];
  return (n >= L'1' && n <= L'9') || n == L'\u00B9' || n == L'\u00B2' || n == L'\u00B3';
}

}  // namespace

std::wstring win32_normalised(std::wstring_view path) {
  const std::wstring_view drive = path.substr(0, 2);
  std::vector<std::wstring> kept;
  const auto parts = components(path.substr(std::min<size_t>(2, path.size())));
  for (std::wstring_view part : parts) {
    if (part.empty() || part == L".") continue;
    if (part == L"..") {
      if (!kept.empty()) kept.pop_back();
      continue;
    }
    while (!part.empty() && (part.back() == L'.' || part.back() == L' ')) part.remove_suffix(1);
    if (!part.empty()) kept.emplace_back(part);
  }
  std::wstring out(drive);
  for (const auto& part : kept) out += L"\\" + part;
  if (kept.empty()) out += L"\\";
  return out;
}

bool names_device(std::wstring_view path) {
  const auto parts = components(path);
  return std::any_of(parts.begin(), parts.end(), device_name);
}

bool has_invalid_name_character(std::wstring_view path_after_drive) {
  constexpr std::wstring_view refused = L"\"*:<>?|";
  return std::any_of(path_after_drive.begin(), path_after_drive.end(),
                     [&](wchar_t c) { return c < 32 || refused.find(c) != std::wstring_view::npos; });
}

}  // namespace corvane::fuzz
