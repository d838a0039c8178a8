#pragma once
// Another process's figures as Windows gives them: GetProcessTimes, GetProcessMemoryInfo and the
// threads of NtQuerySystemInformation(SystemProcessInformation).
#include <windows.h>

#include <optional>

namespace corvane::testing_support {

// User and system time of all its threads. Wine answers with the caller's own times instead.
std::optional<double> windows_cpu_ms(HANDLE process);
// PeakWorkingSetSize.
std::optional<double> windows_peak_memory_mib(HANDLE process);
// The sum of its threads' context switches: how often a thread of it was put on a processor.
std::optional<unsigned long long> windows_context_switches(DWORD process_id);

}  // namespace corvane::testing_support
