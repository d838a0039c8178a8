#include "tests/common/process_figures.h"

#include <cstdio>

#include "support/optional_function.h"
#include "tests/common/linux_process.h"
#include "tests/common/windows_process.h"

namespace corvane::testing_support {

bool running_under_wine() {
  return load_optional_function(L"ntdll.dll", "wine_get_version") != nullptr;
}

ProcessWatch::ProcessWatch(HANDLE process, DWORD process_id, const std::wstring& command_line_part)
    : process_(process), process_id_(process_id) {
  if (running_under_wine()) {
    linux_process_id_ = linux_process_id(command_line_part);
    found_ = linux_process_id_.has_value();
  } else {
    found_ = windows_cpu_ms(process_).has_value();
  }
}

std::optional<ProcessFigures> ProcessWatch::figures() const {
  if (!found_) return std::nullopt;
  if (linux_process_id_) {
    // Wine's GetProcessTimes of another process answers with the caller's times, and its threads'
    // context switches stay 0: both come from the Linux side. Its peak working set is right (the
    // Linux VmHWM), so that one is Windows's.
    const auto linux = linux_process_figures(*linux_process_id_);
    if (!linux) return std::nullopt;
    return ProcessFigures{linux->cpu_ms, linux->voluntary_switches, windows_peak_memory_mib(process_)};
  }
  DWORD exit_code = 0;
  if (!GetExitCodeProcess(process_, &exit_code) || exit_code != STILL_ACTIVE) return std::nullopt;
  const auto cpu = windows_cpu_ms(process_);
  if (!cpu) return std::nullopt;
  return ProcessFigures{*cpu, windows_context_switches(process_id_), windows_peak_memory_mib(process_)};
}

std::string measured(const std::optional<double>& figure, int decimals) {
  if (!figure) return "not measured on Windows";
  char text[32];
  std::snprintf(text, sizeof text, "%.*f", decimals, *figure);
  return text;
}

std::string measured(const std::optional<unsigned long long>& figure) {
  return figure ? std::to_string(*figure) : "not measured on Windows";
}

}  // namespace corvane::testing_support
