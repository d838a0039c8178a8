// The run loop asleep: under Wait (the program's only mode) a loop with a visible window uses next to no
// CPU, measured from outside the process. Poll, measured the same way, shows that the measurement
// sees a loop that never sleeps.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "support/text.h"
#include "tests/common/artifacts.h"
#include "tests/common/child_process.h"
#include "tests/common/process_figures.h"
#include "tests/common/program.h"
#include "tests/common/scenario_main.h"
#include "window/event_loop.h"
#include "window/run.h"

namespace corvane {
namespace {

constexpr DWORD kSettleMs = 1000;
constexpr DWORD kMeasureMs = 5000;
// A loop that sleeps in GetMessageW costs nothing; a busy one costs a large part of a core.
constexpr double kIdleShare = 0.01;

// A loop like the program's: a visible window, a handler that asks for the given mode on every event.
CORVANE_SCENARIO(idle_loop) {
  const bool poll = !arguments.empty() && arguments[0] == "poll";
  auto loop = create_event_loop();
  CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, L"STATIC", L"idle", WS_POPUP | WS_VISIBLE, 0, 0, 64,
                  64, nullptr, nullptr, nullptr, nullptr);
  run(*loop, [poll](LoopEvent&, LoopControl& control) {
    control = poll ? LoopControl{loop_control::Poll{}} : LoopControl{loop_control::Wait{}};
  });
}

// The CPU time a loop process in the mode uses over the measuring interval, as a share of one core.
std::optional<double> cpu_share(const char* mode) {
  // The marker finds this child among the processes of the machine.
  const std::wstring marker = L"idle-loop-" + std::to_wstring(GetCurrentProcessId()) + L"-" + to_utf16(mode);
  testing_support::Program child(testing_support::this_program(),
                                 L"--scenario idle_loop " + to_utf16(mode) + L" " + marker);
  if (!child.started()) return std::nullopt;
  Sleep(kSettleMs);
  const testing_support::ProcessWatch process(child.handle(), child.id(), marker);
  const auto before = process.figures();
  Sleep(kMeasureMs);
  const auto after = process.figures();
  if (!before || !after) return std::nullopt;
  return (after->cpu_ms - before->cpu_ms) / kMeasureMs;
}

std::string percent(double share) {
  return std::to_string(share * 100).substr(0, 4) + " %";
}

TEST(IdleLoop, WaitUsesUnderOnePercentOfACoreAndPollMuchMore) {
  const auto wait = cpu_share("wait");
  const auto poll = cpu_share("poll");
  ASSERT_TRUE(wait && poll) << "a loop process could not be measured";
  testing_support::report_figure("idle loop over " + std::to_string(kMeasureMs / 1000) + " s: Wait " +
                                 percent(*wait) + " of a core, Poll " + percent(*poll));
  EXPECT_LT(*wait, kIdleShare) << "the loop does not sleep between cycles";
  EXPECT_GT(*poll, kIdleShare) << "the measurement does not see a loop that never sleeps";
}

}  // namespace
}  // namespace corvane
