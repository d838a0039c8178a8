// The run loop, driven in child processes (it ends the process): exit codes and event logs.
#include <gtest/gtest.h>

#include <optional>

#include "tests/common/child_process.h"

namespace corvane {
namespace {

using testing_support::ChildResult;
using Lines = std::vector<std::string>;

struct LoopCase {
  const char* name;
  const char* scenario;
  const char* argument;
  DWORD exit_code;
  std::optional<Lines> log;  // the child's event log, where the case fixes it
  std::string err = "";      // the fatal message, for the cases that end in one
};

class RunLoop : public testing::TestWithParam<LoopCase> {};

TEST_P(RunLoop, EndsWithTheExpectedCodeAndEventLog) {
  const LoopCase& c = GetParam();
  const ChildResult r = testing_support::run_scenario(c.scenario, c.argument, 30000);
  ASSERT_FALSE(r.timed_out) << c.scenario << " hung";
  EXPECT_EQ(r.exit_code, c.exit_code) << r.err;
  if (c.log) {
    EXPECT_EQ(r.lines(), *c.log);
  }
  EXPECT_EQ(r.err, c.err);
}

const Lines kOneCycle{"CycleStarted(FirstCycle)", "EventsDrained", "CycleEnded", "LoopEnded"};
// A first cycle, then the second one's opening events, then its end.
Lines two_cycles(Lines second_opening) {
  Lines log{"CycleStarted(FirstCycle)", "EventsDrained", "CycleEnded"};
  log.insert(log.end(), second_opening.begin(), second_opening.end());
  log.insert(log.end(), {"EventsDrained", "CycleEnded", "LoopEnded"});
  return log;
}
constexpr char kReentrant[] =
    "either event handler is re-entrant (likely), or no event handler is registered (very unlikely)\r\n";
constexpr char kWrongThread[] =
    "Initializing the event loop outside of the main thread is a significant cross-platform compatibility hazard. Corvane creates its event loop on the process's main thread only.\r\n";
const Lines kDestroyed{"CycleStarted(FirstCycle)", "EventsDrained", "CycleEnded", "LoopEnded", "destroyed"};

INSTANTIATE_TEST_SUITE_P(
    Scenarios, RunLoop,
    testing::Values(
        // Events delivered before run are queued for the first cycle.
        LoopCase{"startup_trace", "startup_trace", "", 0,
                 Lines{"CycleStarted(FirstCycle)", "Window(Resized 1x2)", "Window(Moved 3,4)",
                       "EventsDrained", "RepaintRequested", "CycleEnded", "LoopEnded"}},
        // Exit(5), then Poll later in the same cycle: still 5.
        LoopCase{"exit_is_final", "exit_is_final", "", 5,
                 Lines{"CycleStarted(FirstCycle)", "Window(Moved 1,1)", "Window(Moved 2,2)", "EventsDrained",
                       "CycleEnded", "LoopEnded"}},
        // The exit test is made only once the cycle has ended.
        LoopCase{"exit_waits_for_cycle_end", "exit_waits_for_cycle_end", "", 7,
                 Lines{"CycleStarted(FirstCycle)", "Window(Moved 1,1)", "Window(Moved 2,2)",
                       "Window(Moved 3,3)", "EventsDrained", "CycleEnded", "LoopEnded"}},
        LoopCase{"quit_mid_cycle", "quit_mid_cycle", "", 0, kOneCycle},
        LoopCase{"quit_when_idle", "quit_when_idle", "", 0, kOneCycle},
        LoopCase{"end_session", "end_session", "true", 0, kOneCycle},
        LoopCase{"end_session_cancelled", "end_session", "false", 4, kOneCycle},
        LoopCase{"poll", "poll", "", 0,
                 Lines{"CycleStarted(FirstCycle)", "EventsDrained", "CycleEnded", "CycleStarted(Polled)",
                       "EventsDrained", "CycleEnded", "CycleStarted(Polled)", "EventsDrained", "CycleEnded",
                       "LoopEnded"}},
        LoopCase{"wait_until_interrupted", "wait_until", "interrupted", 0,
                 two_cycles({"CycleStarted(Interrupted(deadline))", "Window(Moved 5,5)"})},
        LoopCase{"wait_until_future", "wait_until", "future", 0,
                 two_cycles({"CycleStarted(DeadlineReached)"})},
        LoopCase{"wait_until_past", "wait_until", "past", 0, two_cycles({"CycleStarted(DeadlineReached)"})},
        LoopCase{"reentrant_delivery_is_queued", "reentrant_delivery_is_queued", "", 0,
                 Lines{"CycleStarted(FirstCycle)", "Window(Moved 1,1)", "Window(Moved 2,2)", "EventsDrained",
                       "CycleEnded", "LoopEnded"}},
        LoopCase{"reentrant_cycle_is_fatal", "reentrant_cycle_is_fatal", "", 3, std::nullopt, kReentrant},
        LoopCase{"user_event", "user_event", "", 0,
                 Lines{"CycleStarted(FirstCycle)", "User", "EventsDrained", "CycleEnded", "LoopEnded"}},
        LoopCase{"closure_from_another_thread", "closure_from_another_thread", "", 0,
                 Lines{"CycleStarted(FirstCycle)", "closure on the loop thread", "EventsDrained",
                       "CycleEnded", "LoopEnded"}},
        // The resize invalidates the window, whose paint then joins the cycle.
        LoopCase{"queued_scale_change_changed", "queued_scale_change", "changed", 0,
                 Lines{"CycleStarted(FirstCycle)", "Window(ScaleChanged 1.50 300x200)", "EventsDrained",
                       "RepaintRequested", "CycleEnded", "client 200x100", "LoopEnded"}},
        LoopCase{"queued_scale_change_kept", "queued_scale_change", "kept", 0,
                 Lines{"CycleStarted(FirstCycle)", "Window(ScaleChanged 1.50 300x200)", "EventsDrained",
                       "CycleEnded", "client 120x80", "LoopEnded"}},
        LoopCase{"loop_on_another_thread", "loop_on_another_thread", "", 3, std::nullopt, kWrongThread},
        // A second loop gets its own window and wait thread, but no second DPI step.
        LoopCase{"second_loop", "second_loop", "", 0,
                 Lines{"own thread target windows", "own wait threads", "DPI step not repeated"}},
        LoopCase{"leaving_destroyed_to_idle", "leaving_destroyed", "idle", 3, kDestroyed,
                 "cannot move state from Destroyed\r\n"},
        LoopCase{"leaving_destroyed_to_events", "leaving_destroyed", "events", 3, kDestroyed,
                 "cannot move state from Destroyed\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace corvane
