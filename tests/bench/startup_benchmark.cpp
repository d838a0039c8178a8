// Prints the start-up table: Corvane.exe against a minimal WebView2 host (the floor), started
// alternately with a warm wineserver, both beside the test runtime answering at once. The rows give each
// host's own share of the time until a user sees the page: process start to the environment request
// (after which the browser's own start runs), the steps between the runtime's completions and the
// host's next request, and start to the navigation. The times come from the test runtime's log, stamped
// with the performance counter, one clock for every process; CPU, wake-ups and memory are read from
// outside the process (tests/common/process_figures.h).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "support/handles.h"
#include "tests/common/paths.h"
#include "tests/common/process_figures.h"
#include "tests/common/program.h"

namespace corvane {
namespace {

constexpr int kRuns = 15;
constexpr DWORD kIdleMs = 30000;

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
};

const Subject kCorvane{L"Corvane.exe", L"Window Class", L"Corvane"};
const Subject kFloor{L"floor_host.exe", L"Corvane Floor", L"Corvane floor"};

// The runtime answers at once, so that the rows show the hosts' own time and none of the stand-in's.
constexpr char kRuntimeScript[] = "environment-delay 0\ncontroller-delay 0\n";

// What a timed log line says happened, in milliseconds of the performance counter.
using Moments = std::map<std::string, double>;

// The log's first line for each of the moments that matter.
Moments read_moments(const std::wstring& log) {
  static const std::vector<std::pair<std::string, std::string>> kMoments = {
      {"CreateCoreWebView2EnvironmentWithOptions(", "environment requested"},
      {"completion environment delivered", "environment completed"},
      {"ICoreWebView2Environment10.CreateCoreWebView2ControllerWithOptions(", "controller requested"},
      {"ICoreWebView2Environment.CreateCoreWebView2Controller(", "controller requested"},
      {"completion controller delivered", "controller completed"},
      {"ICoreWebView2.Navigate(", "navigation requested"},
      {"window painted", "painted"},
  };
  Moments moments;
  std::ifstream in{std::filesystem::path(log)};
  for (std::string line; std::getline(in, line);) {
    const size_t space = line.find(' ');
    if (space == std::string::npos) continue;
    for (const auto& [start, name] : kMoments) {
      if (line.compare(space + 1, start.size(), start) == 0 && !moments.count(name))
        moments[name] = std::stoll(line.substr(0, space)) / 1e3;
    }
  }
  return moments;
}

struct Run {
  std::map<std::string, double> ms;  // figure -> milliseconds
  std::optional<double> peak_resident_mib;
  double idle_cpu_ms = 0;
  std::optional<unsigned long long> idle_wake_ups;
};

bool has_all(const Moments& moments) {
  return moments.count("painted") && moments.count("navigation requested");
}

std::optional<Run> run_once(const Subject& subject, const std::wstring& log, const std::wstring& script,
                            bool measure_idle) {
  DeleteFileW(log.c_str());
  const std::wstring exe = testing_support::beside_this_program(subject.exe);
  const double start = now_ms();
  testing_support::Program program(
      exe, L"",
      {L"CORVANE_WEBVIEW2_LOG=" + log, L"CORVANE_WEBVIEW2_SCRIPT=" + script, L"CORVANE_WEBVIEW2_TIMES=1"});
  if (!program.started()) return std::nullopt;
  HWND window = nullptr;
  while (!window && now_ms() - start < 30000) {
    const auto windows = testing_support::visible_windows(program.id(), subject.window_class, subject.title);
    if (!windows.empty()) window = windows.front();
    if (!window) Sleep(1);
  }
  if (!window) return std::nullopt;
  Run run;
  run.ms["start to main window shown"] = now_ms() - start;
  Moments moments;
  while (!has_all(moments = read_moments(log)) && now_ms() - start < 30000) Sleep(5);
  if (!has_all(moments)) return std::nullopt;
  run.ms["start to main window painted"] = moments["painted"] - start;
  run.ms["start to environment requested"] = moments["environment requested"] - start;
  run.ms["environment completed to controller requested"] =
      moments["controller requested"] - moments["environment completed"];
  run.ms["controller completed to navigation requested"] =
      moments["navigation requested"] - moments["controller completed"];
  run.ms["start to navigation requested"] = moments["navigation requested"] - start;
  const testing_support::ProcessWatch process(program.handle(), program.id(), exe);
  if (measure_idle) {
    Sleep(1000);
    const auto before = process.figures();
    Sleep(kIdleMs);
    const auto after = process.figures();
    if (!before || !after) return std::nullopt;
    run.idle_cpu_ms = after->cpu_ms - before->cpu_ms;
    if (before->wake_ups && after->wake_ups) run.idle_wake_ups = *after->wake_ups - *before->wake_ups;
  }
  const auto figures = process.figures();
  if (!figures) return std::nullopt;
  run.peak_resident_mib = figures->peak_memory_mib;
  PostMessageW(window, WM_CLOSE, 0, 0);
  if (!program.wait_for_exit(30000)) return std::nullopt;
  return run;
}

struct Spread {
  double median, fastest, slowest;
};

Spread spread(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  const double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
  return {median, values.front(), values.back()};
}

// Every figure of every run of a subject.
struct Series {
  std::map<std::string, std::vector<double>> ms;
  std::vector<double> peak_resident_mib;

  void add(const Run& run) {
    for (const auto& [name, value] : run.ms) ms[name].push_back(value);
    if (run.peak_resident_mib) peak_resident_mib.push_back(*run.peak_resident_mib);
  }
};

double file_kib(const Subject& subject) {
  WIN32_FILE_ATTRIBUTE_DATA attributes{};
  GetFileAttributesExW(testing_support::beside_this_program(subject.exe).c_str(), GetFileExInfoStandard,
                       &attributes);
  return attributes.nFileSizeLow / 1024.0;
}

void row(const std::string& label, const std::string& corvane, const std::string& floor = "",
         const std::string& ratio = "") {
  std::printf("%-52s%10s%10s%10s\n", label.c_str(), corvane.c_str(), floor.c_str(), ratio.c_str());
}

std::string number(double value, int decimals = 1) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  return buffer;
}

std::string ratio(double corvane, double floor) {
  return floor > 0 ? number(corvane / floor, 2) : "-";
}

void spread_row(const std::string& name, const std::vector<double>& corvane,
                const std::vector<double>& floor) {
  const Spread c = spread(corvane), f = spread(floor);
  std::printf("  %-50s%s to %s  (floor %s to %s)\n", name.c_str(), number(c.fastest).c_str(),
              number(c.slowest).c_str(), number(f.fastest).c_str(), number(f.slowest).c_str());
}

// The rows every run measures, in the table's order.
constexpr const char* kTimedRows[] = {
    "start to environment requested",
    "environment completed to controller requested",
    "controller completed to navigation requested",
    "start to navigation requested",
    "start to main window shown",
    "start to main window painted",
};

void print_table(Series& corvane, Series& floor, const Run& corvane_idle, const Run& floor_idle) {
  const auto median = [](const std::vector<double>& values) { return spread(values).median; };
  row("", "Corvane", "floor", "ratio");
  for (const char* name : kTimedRows) {
    const double c = median(corvane.ms[name]), f = median(floor.ms[name]);
    row(std::string(name) + " (ms)", number(c), number(f), ratio(c, f));
  }
  row("CPU while idle for 30 s (ms)", number(corvane_idle.idle_cpu_ms), number(floor_idle.idle_cpu_ms));
  row("wake-ups while idle for 30 s", testing_support::measured(corvane_idle.idle_wake_ups),
      testing_support::measured(floor_idle.idle_wake_ups));
  if (corvane.peak_resident_mib.empty() || floor.peak_resident_mib.empty()) {
    row("peak resident memory (MiB)", testing_support::measured(std::optional<double>{}));
  } else {
    const double c_mib = median(corvane.peak_resident_mib), f_mib = median(floor.peak_resident_mib);
    row("peak resident memory (MiB)", number(c_mib), number(f_mib), ratio(c_mib, f_mib));
  }
  row("executable size (KiB)", number(file_kib(kCorvane), 0), number(file_kib(kFloor), 0),
      ratio(file_kib(kCorvane), file_kib(kFloor)));
  std::printf("fastest to slowest run (ms)\n");
  for (const char* name : kTimedRows) spread_row(name, corvane.ms[name], floor.ms[name]);
}

}  // namespace
}  // namespace corvane

int main() {
  using namespace corvane;
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring log = std::wstring(temp) + L"corvane-benchmark-runtime.log";
  const std::wstring script = std::wstring(temp) + L"corvane-benchmark-runtime.script";
  std::ofstream(std::filesystem::path(script)) << kRuntimeScript;
  std::printf(
      "start-up benchmark: %d runs of each, alternating Corvane and the floor (a minimal WebView2 host), "
      "after a warm-up run of each; warm wineserver\n",
      kRuns);
  std::printf("test runtime: answers at once (environment and controller delays 0)\n");
  std::fflush(stdout);
  Series corvane, floor;
  for (int i = 0; i <= kRuns; ++i) {
    const auto c = run_once(kCorvane, log, script, false);
    const auto f = run_once(kFloor, log, script, false);
    if (!c || !f) {
      std::printf("start-up benchmark: a program did not start, paint, navigate, or end when closed\n");
      return 1;
    }
    if (i == 0) continue;  // the warm-up
    corvane.add(*c);
    floor.add(*f);
  }
  const auto corvane_idle = run_once(kCorvane, log, script, true);
  const auto floor_idle = run_once(kFloor, log, script, true);
  DeleteFileW(log.c_str());
  DeleteFileW(script.c_str());
  if (!corvane_idle || !floor_idle) {
    std::printf("start-up benchmark: an idle run could not be measured\n");
    return 1;
  }
  print_table(corvane, floor, *corvane_idle, *floor_idle);
  return 0;
}
