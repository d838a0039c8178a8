#include "tests/common/linux_process.h"

#include <windows.h>

#include <algorithm>
#include <cwctype>
#include <sstream>

#include "support/text.h"

namespace corvane::testing_support {
namespace {

std::string read_small_file(const std::wstring& path) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string content(8192, '\0');
  DWORD got = 0;
  if (!ReadFile(file, content.data(), static_cast<DWORD>(content.size()), &got, nullptr)) got = 0;
  CloseHandle(file);
  content.resize(got);
  return content;
}

bool is_number(const std::wstring& name) {
  return !name.empty() && std::all_of(name.begin(), name.end(), [](wchar_t c) { return std::iswdigit(c); });
}

// Calls f with the name of every numeric entry of the folder.
template <typename F>
void for_each_number(const std::wstring& folder, F&& f) {
  WIN32_FIND_DATAW entry;
  const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if (is_number(entry.cFileName) && !f(std::wstring(entry.cFileName))) break;
  } while (FindNextFileW(search, &entry));
  FindClose(search);
}

// The value of a "Name:   value" line of a status file.
unsigned long long status_value(const std::string& status, const std::string& name) {
  const size_t at = status.find("\n" + name + ":");
  if (at == std::string::npos) return 0;
  std::istringstream value(status.substr(at + name.size() + 2));
  unsigned long long number = 0;
  value >> number;
  return number;
}

}  // namespace

std::optional<unsigned long> linux_process_id(const std::wstring& command_line_part) {
  const std::string wanted = to_utf8(command_line_part);
  std::optional<unsigned long> found;
  for_each_number(L"Z:\\proc", [&](const std::wstring& pid) {
    if (read_small_file(L"Z:\\proc\\" + pid + L"\\cmdline").find(wanted) != std::string::npos)
      found = std::stoul(pid);
    return !found;
  });
  return found;
}

std::optional<LinuxProcessFigures> linux_process_figures(unsigned long process_id) {
  const std::wstring folder = L"Z:\\proc\\" + std::to_wstring(process_id);
  const std::string stat = read_small_file(folder + L"\\stat");
  const size_t name_end = stat.rfind(')');
  if (name_end == std::string::npos) return std::nullopt;
  // Fields 14 and 15, after the parenthesised name: user and system time in clock ticks.
  std::istringstream fields(stat.substr(name_end + 2));
  std::string skipped;
  for (int field = 3; field < 14; ++field) fields >> skipped;
  unsigned long long user = 0, system = 0;
  if (!(fields >> user >> system)) return std::nullopt;
  constexpr double kTicksPerSecond = 100;  // USER_HZ on Linux
  LinuxProcessFigures figures{(user + system) * 1000.0 / kTicksPerSecond, 0,
                              status_value(read_small_file(folder + L"\\status"), "VmHWM") / 1024.0};
  for_each_number(folder + L"\\task", [&](const std::wstring& thread) {
    figures.voluntary_switches +=
        status_value(read_small_file(folder + L"\\task\\" + thread + L"\\status"), "voluntary_ctxt_switches");
    return true;
  });
  return figures;
}

}  // namespace corvane::testing_support
