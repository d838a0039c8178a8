// Prints the start-up table: process start to main window visible and to the start navigation
// reaching the (test) WebView2 runtime, as medians over repeated runs with a warm wineserver; CPU
// used while idle; executable size; peak working set. A window-only program, measured in the same
// run, is the floor, and the table gives Corvane's ratios to it.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "support/handles.h"
#include "support/text.h"
#include "tests/common/paths.h"
#include "tests/common/program.h"

namespace corvane {
namespace {

constexpr int kRuns = 11;  // the first is a warm-up and is not counted
constexpr DWORD kIdleMs = 10000;

double now_ms() {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return now.QuadPart / double(frequency.QuadPart) * 1e3;
}

struct Subject {
  const wchar_t* exe;
  const wchar_t* window_class;
  const wchar_t* title;
  bool has_runtime;
};

HWND visible_window(DWORD process_id, const Subject& subject) {
  const auto windows = testing_support::visible_windows(process_id, subject.window_class, subject.title);
  return windows.empty() ? nullptr : windows.front();
}

// The time the runtime logged for the start navigation, in milliseconds of the same clock.
std::optional<double> navigate_logged(const std::wstring& log) {
  std::ifstream in{std::filesystem::path(log)};
  for (std::string line; std::getline(in, line);) {
    const size_t space = line.find(' ');
    if (space != std::string::npos && line.compare(space + 1, 22, "ICoreWebView2.Navigate") == 0) {
      return std::stoll(line.substr(0, space)) / 1e3;
    }
  }
  return std::nullopt;
}

struct Run {
  double visible_ms = 0;
  std::optional<double> navigate_ms;
  double idle_cpu_ms = -1;
  SIZE_T peak_working_set = 0;
  bool ok = false;
};

double cpu_ms(HANDLE process) {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(process, &created, &exited, &kernel, &user);
  const auto ticks = [](FILETIME t) { return (ULONGLONG{t.dwHighDateTime} << 32) | t.dwLowDateTime; };
  return (ticks(kernel) + ticks(user)) / 1e4;
}

Run run_once(const Subject& subject, const std::wstring& log, bool measure_idle) {
  DeleteFileW(log.c_str());
  std::wstring command = L"\"" + testing_support::beside_this_program(subject.exe) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  Run run;
  const double start = now_ms();
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &info)) {
    return run;
  }
  UniqueKernelHandle process(info.hProcess), thread(info.hThread);
  HWND window = nullptr;
  while (!(window = visible_window(info.dwProcessId, subject)) && now_ms() - start < 30000) Sleep(1);
  run.visible_ms = now_ms() - start;
  if (subject.has_runtime) {
    while (!(run.navigate_ms = navigate_logged(log)) && now_ms() - start < 30000) Sleep(1);
    if (run.navigate_ms) *run.navigate_ms -= start;
  }
  if (measure_idle && window) {
    Sleep(1000);
    const double before = cpu_ms(process.get());
    Sleep(kIdleMs);
    run.idle_cpu_ms = cpu_ms(process.get()) - before;
  }
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(process.get(), &memory, sizeof memory);
  run.peak_working_set = memory.PeakWorkingSetSize;
  PostMessageW(window, WM_CLOSE, 0, 0);
  run.ok = window && WaitForSingleObject(process.get(), 30000) == WAIT_OBJECT_0 &&
           (!subject.has_runtime || run.navigate_ms);
  if (!run.ok) TerminateProcess(process.get(), 1);
  return run;
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Figures {
  double visible_ms, visible_min, visible_max;
  std::optional<double> navigate_ms;
  double idle_cpu_ms;
  double size_kib;
  double peak_working_set_mib;
};

std::optional<Figures> measure(const Subject& subject, const std::wstring& log) {
  std::vector<double> visible, navigate, peak;
  for (int i = 0; i < kRuns; ++i) {
    const Run run = run_once(subject, log, false);
    if (!run.ok) return std::nullopt;
    if (i == 0) continue;
    visible.push_back(run.visible_ms);
    if (run.navigate_ms) navigate.push_back(*run.navigate_ms);
    peak.push_back(run.peak_working_set / 1048576.0);
  }
  const Run idle = run_once(subject, log, true);
  if (!idle.ok) return std::nullopt;
  WIN32_FILE_ATTRIBUTE_DATA attributes{};
  GetFileAttributesExW(testing_support::beside_this_program(subject.exe).c_str(), GetFileExInfoStandard,
                       &attributes);
  Figures figures{median(visible),
                  *std::min_element(visible.begin(), visible.end()),
                  *std::max_element(visible.begin(), visible.end()),
                  navigate.empty() ? std::nullopt : std::optional(median(navigate)),
                  idle.idle_cpu_ms,
                  attributes.nFileSizeLow / 1024.0,
                  median(peak)};
  return figures;
}

void row(const char* label, double corvane, std::optional<double> floor, const char* format) {
  std::printf("  %-48s", label);
  std::printf(format, corvane);
  if (floor) {
    std::printf(format, *floor);
    if (*floor > 0) {
      std::printf("  %8.2f\n", corvane / *floor);
    } else {
      std::printf("  %8s\n", "-");
    }
  } else {
    std::printf("  %10s  %8s\n", "-", "-");
  }
}

}  // namespace
}  // namespace corvane

int main() {
  using namespace corvane;
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring log = std::wstring(temp) + L"corvane-benchmark-runtime.log";
  SetEnvironmentVariableW(L"CORVANE_WEBVIEW2_LOG", log.c_str());
  SetEnvironmentVariableW(L"CORVANE_WEBVIEW2_TIMES", L"1");
  const Subject corvane{L"Corvane.exe", L"Window Class", L"Corvane", true};
  const Subject floor{L"floor_window.exe", L"Corvane Floor", L"Corvane floor", false};

  std::printf("start-up benchmark: medians of %d runs after a warm-up run, warm wineserver\n", kRuns - 1);
  std::fflush(stdout);
  const auto c = measure(corvane, log);
  const auto f = measure(floor, log);
  if (!c || !f) {
    std::printf("start-up benchmark: a program did not start, show its window or end when closed\n");
    return 1;
  }
  std::printf("  %-48s%10s%10s  %8s\n", "", "Corvane", "floor", "ratio");
  row("start to main window visible (ms)", c->visible_ms, f->visible_ms, "%10.1f");
  row("  fastest run (ms)", c->visible_min, f->visible_min, "%10.1f");
  row("  slowest run (ms)", c->visible_max, f->visible_max, "%10.1f");
  row("start to Navigate(StartUrl) at the runtime (ms)", *c->navigate_ms, std::nullopt, "%10.1f");
  row("CPU while idle for 10 s (ms)", c->idle_cpu_ms, f->idle_cpu_ms, "%10.1f");
  row("executable size (KiB)", c->size_kib, f->size_kib, "%10.0f");
  row("peak working set (MiB)", c->peak_working_set_mib, f->peak_working_set_mib, "%10.1f");
  return 0;
}
