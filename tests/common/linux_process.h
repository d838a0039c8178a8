#pragma once
// A Windows process of this Wine session as the Linux side sees it. Under Wine, GetProcessTimes
// answers for the caller only, so another process's CPU time, wake-ups and memory are read from its
// /proc entry.
#include <optional>
#include <string>

namespace corvane::testing_support {

// The Linux process whose command line holds the text (a run folder, an executable's path).
std::optional<unsigned long> linux_process_id(const std::wstring& command_line_part);

struct LinuxProcessFigures {
  double cpu_ms;                          // user and system time of all its threads
  unsigned long long voluntary_switches;  // of all its threads: how often it was woken
  double peak_resident_mib;               // VmHWM
};

// None once the process is gone.
std::optional<LinuxProcessFigures> linux_process_figures(unsigned long process_id);

}  // namespace corvane::testing_support
