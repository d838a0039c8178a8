#include <windows.h>

#include "app/profile_folder.h"
#include "support/function_cast.h"
#include "support/optional_function.h"

namespace corvane {
namespace {

// Read raw, without any check of its text; defined but empty counts as defined.
std::optional<std::wstring> environment_variable(const wchar_t* name) {
  SetLastError(ERROR_SUCCESS);
  const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
  if (size == 0) {
    if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
    return std::wstring();
  }
  std::wstring value(size, L'\0');
  const DWORD length = GetEnvironmentVariableW(name, value.data(), size);
  if (length >= size) return std::nullopt;  // changed meanwhile
  value.resize(length);
  return value;
}

std::optional<std::wstring> temporary_folder() {
  using GetTempPath2W = DWORD(WINAPI*)(DWORD, LPWSTR);
  // Looked up by name at run time: older Windows versions lack it.
  static const auto get_temp_path_2 =
      function_cast<GetTempPath2W>(load_optional_function(L"kernel32.dll", "GetTempPath2W"));
  wchar_t buffer[MAX_PATH + 1];
  const DWORD length =
      get_temp_path_2 ? get_temp_path_2(MAX_PATH + 1, buffer) : GetTempPathW(MAX_PATH + 1, buffer);
  if (length == 0 || length > MAX_PATH) return std::nullopt;
  return std::wstring(buffer, length);
}

}  // namespace

std::optional<std::wstring> profile_root() {
  if (auto local = environment_variable(L"LOCALAPPDATA")) return local;
  return temporary_folder();
}

}  // namespace corvane
