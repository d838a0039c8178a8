// The run loop, driven in child processes (it ends the process): exit codes and event logs.
#include <gtest/gtest.h>

#include "tests/common/child_process.h"

namespace corvane {
namespace {

using testing_support::ChildResult;
using testing_support::run_scenario;
using Lines = std::vector<std::string>;

ChildResult scenario(const std::string& name, const std::string& arguments = "") {
  ChildResult result = run_scenario(name, arguments, 30000);
  EXPECT_FALSE(result.timed_out) << name << " hung";
  return result;
}

TEST(RunLoop, FirstCycleDeliversTheEventsQueuedBeforeRun) {
  const ChildResult r = scenario("startup_trace");
  EXPECT_EQ(r.exit_code, 0u) << r.err;
  EXPECT_EQ(r.lines(), (Lines{"CycleStarted(FirstCycle)", "Window(Resized 1x2)", "Window(Moved 3,4)",
                              "EventsDrained", "RepaintRequested", "CycleEnded", "LoopEnded"}));
}

TEST(RunLoop, ExitCannotBeWithdrawnLaterInTheCycle) {
  const ChildResult r = scenario("exit_is_final");
  EXPECT_EQ(r.exit_code, 5u) << r.err;
  EXPECT_EQ(r.lines(), (Lines{"CycleStarted(FirstCycle)", "Window(Moved 1,1)", "Window(Moved 2,2)",
                              "EventsDrained", "CycleEnded", "LoopEnded"}));
}

TEST(RunLoop, ExitWaitsUntilTheCycleHasEnded) {
  const ChildResult r = scenario("exit_waits_for_cycle_end");
  EXPECT_EQ(r.exit_code, 7u) << r.err;
  EXPECT_EQ(r.lines(), (Lines{"CycleStarted(FirstCycle)", "Window(Moved 1,1)", "Window(Moved 2,2)",
                              "Window(Moved 3,3)", "EventsDrained", "CycleEnded", "LoopEnded"}));
}

TEST(RunLoop, QuitEndsWithZeroAndClosesAnOpenCycle) {
  const ChildResult mid = scenario("quit_mid_cycle");
  EXPECT_EQ(mid.exit_code, 0u) << mid.err;
  EXPECT_EQ(mid.lines(), (Lines{"CycleStarted(FirstCycle)", "EventsDrained", "CycleEnded", "LoopEnded"}));
  const ChildResult idle = scenario("quit_when_idle");
  EXPECT_EQ(idle.exit_code, 0u) << idle.err;
  EXPECT_EQ(idle.lines(), (Lines{"CycleStarted(FirstCycle)", "EventsDrained", "CycleEnded", "LoopEnded"}));
}

TEST(RunLoop, EndOfSessionEndsTheProcessMidCycle) {
  const ChildResult ending = scenario("end_session", "true");
  EXPECT_EQ(ending.exit_code, 0u) << ending.err;
  EXPECT_EQ(ending.lines(), (Lines{"CycleStarted(FirstCycle)", "EventsDrained", "CycleEnded", "LoopEnded"}));
  const ChildResult cancelled = scenario("end_session", "false");
  EXPECT_EQ(cancelled.exit_code, 4u) << cancelled.err;
  EXPECT_EQ(cancelled.lines(),
            (Lines{"CycleStarted(FirstCycle)", "EventsDrained", "CycleEnded", "LoopEnded"}));
}

TEST(RunLoop, PollStartsTheNextCycleAtOnce) {
  const ChildResult r = scenario("poll");
  EXPECT_EQ(r.exit_code, 0u) << r.err;
  EXPECT_EQ(r.lines(), (Lines{"CycleStarted(FirstCycle)", "EventsDrained", "CycleEnded",
                              "CycleStarted(Polled)", "EventsDrained", "CycleEnded", "CycleStarted(Polled)",
                              "EventsDrained", "CycleEnded", "LoopEnded"}));
}

struct WaitUntilCase {
  const char* mode;
  Lines second_cycle;
};

class WaitUntil : public testing::TestWithParam<WaitUntilCase> {};

TEST_P(WaitUntil, StartsTheNextCycleForTheRightReason) {
  const ChildResult r = scenario("wait_until", GetParam().mode);
  EXPECT_EQ(r.exit_code, 0u) << r.err;
  Lines expected{"CycleStarted(FirstCycle)", "EventsDrained", "CycleEnded"};
  expected.insert(expected.end(), GetParam().second_cycle.begin(), GetParam().second_cycle.end());
  expected.insert(expected.end(), {"EventsDrained", "CycleEnded", "LoopEnded"});
  EXPECT_EQ(r.lines(), expected);
}

INSTANTIATE_TEST_SUITE_P(Deadlines, WaitUntil,
                         testing::Values(WaitUntilCase{"interrupted",
                                                       {"CycleStarted(Interrupted(deadline))",
                                                        "Window(Moved 5,5)"}},
                                         WaitUntilCase{"future", {"CycleStarted(DeadlineReached)"}},
                                         WaitUntilCase{"past", {"CycleStarted(DeadlineReached)"}}),
                         [](const auto& info) { return std::string(info.param.mode); });

TEST(RunLoop, EventsDeliveredWhileTheHandlerRunsAreQueued) {
  const ChildResult r = scenario("reentrant_delivery_is_queued");
  EXPECT_EQ(r.exit_code, 0u) << r.err;
  EXPECT_EQ(r.lines(), (Lines{"CycleStarted(FirstCycle)", "Window(Moved 1,1)", "Window(Moved 2,2)",
                              "EventsDrained", "CycleEnded", "LoopEnded"}));
}

TEST(RunLoop, StartingACycleInsideTheHandlerIsFatal) {
  const ChildResult r = scenario("reentrant_cycle_is_fatal");
  EXPECT_EQ(r.exit_code, 3u);
  EXPECT_EQ(
      r.err,
      "either event handler is re-entrant (likely), or no event handler is registered (very unlikely)\r\n");
}

TEST(RunLoop, UserEventsArriveInTheCycle) {
  const ChildResult r = scenario("user_event");
  EXPECT_EQ(r.exit_code, 0u) << r.err;
  EXPECT_EQ(r.lines(),
            (Lines{"CycleStarted(FirstCycle)", "User", "EventsDrained", "CycleEnded", "LoopEnded"}));
}

TEST(RunLoop, ClosuresFromOtherThreadsRunOnTheLoopThread) {
  const ChildResult r = scenario("closure_from_another_thread");
  EXPECT_EQ(r.exit_code, 0u) << r.err;
  EXPECT_EQ(r.lines(), (Lines{"CycleStarted(FirstCycle)", "closure on the loop thread", "EventsDrained",
                              "CycleEnded", "LoopEnded"}));
}

TEST(RunLoop, QueuedScaleChangeResizesOnlyWhenTheHandlerChangedTheSize) {
  const ChildResult changed = scenario("queued_scale_change", "changed");
  EXPECT_EQ(changed.exit_code, 0u) << changed.err;
  // The resize invalidates the window, whose paint then joins the cycle.
  EXPECT_EQ(changed.lines(),
            (Lines{"CycleStarted(FirstCycle)", "Window(ScaleChanged 1.50 300x200)", "EventsDrained",
                   "RepaintRequested", "CycleEnded", "client 200x100", "LoopEnded"}));
  const ChildResult kept = scenario("queued_scale_change", "kept");
  EXPECT_EQ(kept.lines(), (Lines{"CycleStarted(FirstCycle)", "Window(ScaleChanged 1.50 300x200)",
                                 "EventsDrained", "CycleEnded", "client 120x80", "LoopEnded"}));
}

TEST(EventLoopCreation, OnAnotherThreadIsFatal) {
  const ChildResult r = scenario("loop_on_another_thread");
  EXPECT_EQ(r.exit_code, 3u);
  EXPECT_EQ(
      r.err,
      "Initializing the event loop outside of the main thread is a significant cross-platform compatibility "
      "hazard. Corvane creates its event loop on the process's main thread only.\r\n");
}

TEST(EventLoopCreation, SecondLoopGetsItsOwnWindowAndWaitThreadButNoSecondDpiStep) {
  const ChildResult r = scenario("second_loop");
  EXPECT_EQ(r.exit_code, 0u) << r.err;
  EXPECT_EQ(r.lines(), (Lines{"own thread target windows", "own wait threads", "DPI step not repeated"}));
}

class LeavingDestroyed : public testing::TestWithParam<const char*> {};

TEST_P(LeavingDestroyed, IsFatal) {
  const ChildResult r = scenario("leaving_destroyed", GetParam());
  EXPECT_EQ(r.exit_code, 3u);
  EXPECT_EQ(r.lines(),
            (Lines{"CycleStarted(FirstCycle)", "EventsDrained", "CycleEnded", "LoopEnded", "destroyed"}));
  EXPECT_EQ(r.err, "cannot move state from Destroyed\r\n");
}

INSTANTIATE_TEST_SUITE_P(Targets, LeavingDestroyed, testing::Values("idle", "events"));

}  // namespace
}  // namespace corvane
