#include "app/profile_folder.h"

#include "app/config.h"
#include "support/text.h"

namespace corvane {

std::wstring append_component(std::wstring path, std::wstring_view component) {
  const bool bare_drive = path.size() == 2 && path[1] == L':';
  if (!path.empty() && path.back() != L'\\' && path.back() != L'/' && !bare_drive) path += L'\\';
  path += component;
  return path;
}

std::wstring profile_folder_in(std::wstring root) {
  return append_component(append_component(std::move(root), to_utf16(AppConfig::ProductName)), L"WebView2");
}

}  // namespace corvane
