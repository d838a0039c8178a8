#include <windows.h>
#include <shellapi.h>

#include "app/external_opener.h"

namespace corvane {

void shell_execute_open(const std::wstring& url) {
  ShellExecuteW(nullptr, L"open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace corvane
