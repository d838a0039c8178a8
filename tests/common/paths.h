#pragma once
// Test programs find the programs they examine in their own folder (the build's bin folder).
#include <windows.h>

#include <string>

namespace corvane::testing_support {

inline std::wstring beside_this_program(const wchar_t* name) {
  wchar_t path[MAX_PATH * 4];
  const DWORD length = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
  std::wstring folder(path, length);
  folder.erase(folder.find_last_of(L"\\/") + 1);
  return folder + name;
}

}  // namespace corvane::testing_support
