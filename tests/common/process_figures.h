#pragma once
// Another process's CPU time, wake-ups and peak memory, each read where it is true: from Windows on
// Windows and, under Wine, wherever Wine answers correctly; from the process's /proc entry where it
// does not.
#include <windows.h>

#include <optional>
#include <string>

namespace corvane::testing_support {

// ntdll exports wine_get_version under Wine only.
bool running_under_wine();

struct ProcessFigures {
  double cpu_ms;                               // user and system time of all its threads
  std::optional<unsigned long long> wake_ups;  // how often its threads were woken
  std::optional<double> peak_memory_mib;       // peak resident memory
};

class ProcessWatch {
 public:
  // The process, and a part of its command line (a run folder, a marker) by which the Linux side finds
  // it under Wine.
  ProcessWatch(HANDLE process, DWORD process_id, const std::wstring& command_line_part);
  bool found() const { return found_; }
  // None once the process is gone, or when it could not be found.
  std::optional<ProcessFigures> figures() const;

 private:
  HANDLE process_;
  DWORD process_id_;
  std::optional<unsigned long> linux_process_id_;
  bool found_ = false;
};

// A figure as text; an absent one is "not measured on Windows".
std::string measured(const std::optional<double>& figure, int decimals = 1);
std::string measured(const std::optional<unsigned long long>& figure);

}  // namespace corvane::testing_support
