// Prints how much CPU a process waiting in the run loop uses: under Wait (the program's only mode)
// and, for comparison in the same run, under Poll. A figure, not a pass mark.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

#include "tests/common/child_process.h"
#include "window/event_loop.h"
#include "window/run.h"

namespace corvane {
namespace {

constexpr DWORD kSettleMs = 1000;
constexpr DWORD kMeasureMs = 5000;

double own_cpu_ms() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  const auto ticks = [](FILETIME t) { return (std::uint64_t{t.dwHighDateTime} << 32) | t.dwLowDateTime; };
  return double(ticks(kernel) + ticks(user)) / 10000.0;
}

// Runs the loop while a sleeping thread measures the process's CPU time, prints it, and ends it.
[[noreturn]] void loop_child(bool poll) {
  auto loop = create_event_loop();
  // A visible window, as in the real program: its messages must not keep the loop awake either.
  CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, L"STATIC", L"idle", WS_POPUP | WS_VISIBLE, 0, 0, 64,
                  64, nullptr, nullptr, nullptr, nullptr);
  std::thread([poll] {
    Sleep(kSettleMs);
    const double before = own_cpu_ms();
    Sleep(kMeasureMs);
    const double used = own_cpu_ms() - before;
    std::printf("  %-26s %8.1f ms CPU (%.2f%% of a core)\n",
                poll ? "Poll (for comparison):" : "Wait (the program's mode):", used,
                100.0 * used / kMeasureMs);
    std::fflush(stdout);
    ExitProcess(0);
  }).detach();
  run(*loop, [poll](LoopEvent&, LoopControl& control) {
    control = poll ? LoopControl{loop_control::Poll{}} : LoopControl{loop_control::Wait{}};
  });
}

// Runs one loop process and prints its figure. A process that cannot be started is tried again
// after a pause, saying why: the first process of a fresh Wine session has been seen to fail to start.
bool measure(const wchar_t* mode) {
  const std::wstring command = L"\"" + testing_support::this_program() + L"\" --child " + mode;
  for (int attempt = 1; attempt <= 3; ++attempt) {
    const auto result = testing_support::run_child(command, 4 * (kSettleMs + kMeasureMs));
    if (!result.timed_out && result.exit_code == 0 && !result.out.empty()) {
      std::fputs(result.out.c_str(), stdout);
      return true;
    }
    std::printf("  attempt %d: exit code %lu%s %s\n", attempt, result.exit_code,
                result.timed_out ? " (timed out)" : "", result.err.c_str());
    Sleep(1000);
  }
  return false;
}

}  // namespace
}  // namespace corvane

int main(int argc, char** argv) {
  using namespace corvane;
  if (argc == 3 && std::strcmp(argv[1], "--child") == 0) loop_child(std::strcmp(argv[2], "poll") == 0);
  std::printf("loop idle benchmark, CPU used over %.1f s:\n", kMeasureMs / 1000.0);
  std::fflush(stdout);
  if (!measure(L"wait") || !measure(L"poll")) {
    std::printf("loop idle benchmark: a loop process did not start or did not finish\n");
    return 1;
  }
  return 0;
}
