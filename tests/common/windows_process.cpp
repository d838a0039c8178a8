#include "tests/common/windows_process.h"

#include <psapi.h>
#include <winternl.h>

#include <algorithm>
#include <cstddef>
#include <vector>

#include "support/function_cast.h"
#include "support/optional_function.h"

namespace corvane::testing_support {
namespace {

// Windows lays the thread entries out right after their process's entry. MinGW's declarations name
// the documented fields only; their sizes are the system's, and Reserved3 is ContextSwitches.
static_assert(sizeof(SYSTEM_PROCESS_INFORMATION) == 0x100);
static_assert(sizeof(SYSTEM_THREAD_INFORMATION) == 0x50);
static_assert(offsetof(SYSTEM_THREAD_INFORMATION, Reserved3) == 0x40);

constexpr ULONG kSystemProcessInformation = 5;
constexpr NTSTATUS kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004);

double ms_of(const FILETIME& time) {
  return ((static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime) / 10000.0;
}

using QuerySystemInformation = NTSTATUS(WINAPI*)(ULONG, PVOID, ULONG, PULONG);

// Every process of the system, with its threads; empty when the system does not answer.
std::vector<unsigned char> system_processes() {
  const auto query =
      function_cast<QuerySystemInformation>(load_optional_function(L"ntdll.dll", "NtQuerySystemInformation"));
  if (!query) return {};
  std::vector<unsigned char> buffer(1 << 20);
  for (int attempt = 0; attempt < 8; ++attempt) {
    ULONG needed = 0;
    const NTSTATUS status =
        query(kSystemProcessInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
    if (status >= 0) return buffer;
    if (status != kInfoLengthMismatch) return {};
    buffer.resize(std::max<size_t>(buffer.size() * 2, needed + 65536));
  }
  return {};
}

}  // namespace

std::optional<double> windows_cpu_ms(HANDLE process) {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return std::nullopt;
  return ms_of(kernel) + ms_of(user);
}

std::optional<double> windows_peak_memory_mib(HANDLE process) {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(process, &counters, sizeof counters)) return std::nullopt;
  return counters.PeakWorkingSetSize / (1024.0 * 1024.0);
}

std::optional<unsigned long long> windows_context_switches(DWORD process_id) {
  const std::vector<unsigned char> processes = system_processes();
  for (size_t offset = 0; offset + sizeof(SYSTEM_PROCESS_INFORMATION) <= processes.size();) {
    const auto* entry = reinterpret_cast<const SYSTEM_PROCESS_INFORMATION*>(processes.data() + offset);
    if (reinterpret_cast<ULONG_PTR>(entry->UniqueProcessId) == process_id) {
      const auto* threads = reinterpret_cast<const SYSTEM_THREAD_INFORMATION*>(entry + 1);
      unsigned long long switches = 0;
      for (ULONG i = 0; i < entry->NumberOfThreads; ++i) switches += threads[i].Reserved3;
      return switches;
    }
    if (entry->NextEntryOffset == 0) break;
    offset += entry->NextEntryOffset;
  }
  return std::nullopt;
}

}  // namespace corvane::testing_support
