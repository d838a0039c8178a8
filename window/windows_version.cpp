#include "window/windows_version.h"

#include <windows.h>

#include "support/function_cast.h"

namespace corvane {
namespace {

using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOEXW*);

WindowsVersion read_version() {
  OSVERSIONINFOEXW info{};
  info.dwOSVersionInfoSize = sizeof info;
  static_assert(sizeof(OSVERSIONINFOEXW) == 284);
  if (HMODULE ntdll = GetModuleHandleW(L"ntdll.dll")) {
    if (auto get = function_cast<RtlGetVersionFn>(GetProcAddress(ntdll, "RtlGetVersion"))) get(&info);
  }
  return {info.dwMajorVersion, info.dwMinorVersion, info.wServicePackMajor, info.dwBuildNumber};
}

}  // namespace

const WindowsVersion& windows_version() {
  static const WindowsVersion version = read_version();
  return version;
}

}  // namespace corvane
