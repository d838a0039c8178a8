// Every cell of the runner's phase table, on a real runner: the events each move delivers, in order.
#include <gtest/gtest.h>

#include "tests/common/describe_event.h"
#include "window/event_loop_runner.h"

namespace corvane {
namespace {

using Lines = std::vector<std::string>;
using P = RunnerPhase;

struct TransitionCase {
  RunnerPhase from, to;
  Lines events;
};

std::string name(RunnerPhase p) {
  static const char* names[] = {"NotStarted", "Idle", "DeliveringEvents", "DeliveringRedraws", "Destroyed"};
  return names[static_cast<int>(p)];
}

class PhaseTransition : public testing::TestWithParam<TransitionCase> {
 protected:
  void SetUp() override {
    target_ = CreateWindowExW(0, L"STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  }
  void TearDown() override { DestroyWindow(target_); }
  HWND target_ = nullptr;
};

TEST_P(PhaseTransition, DeliversTheListedEventsInOrder) {
  const TransitionCase& c = GetParam();
  EventLoopRunner runner(target_, 0);
  Lines log;
  runner.install_handler(
      [&](LoopEvent& event, LoopControl&) { log.push_back(testing_support::describe(event)); });
  if (c.from != P::NotStarted) runner.advance_phase(c.from);
  log.clear();
  runner.advance_phase(c.to);
  EXPECT_EQ(log, c.events);
  EXPECT_EQ(runner.phase(), c.to);
}

const Lines kFirst{"CycleStarted(FirstCycle)"};
const Lines kPolled{"CycleStarted(Polled)"};

INSTANTIATE_TEST_SUITE_P(
    Table, PhaseTransition,
    testing::Values(
        TransitionCase{P::NotStarted, P::Idle, {"CycleStarted(FirstCycle)", "EventsDrained", "CycleEnded"}},
        TransitionCase{P::NotStarted, P::DeliveringEvents, kFirst},
        TransitionCase{P::NotStarted, P::DeliveringRedraws, {"CycleStarted(FirstCycle)", "EventsDrained"}},
        TransitionCase{P::NotStarted,
                       P::Destroyed,
                       {"CycleStarted(FirstCycle)", "EventsDrained", "CycleEnded", "LoopEnded"}},
        TransitionCase{P::Idle, P::Idle, {}}, TransitionCase{P::Idle, P::DeliveringEvents, kPolled},
        TransitionCase{P::Idle, P::DeliveringRedraws, {"CycleStarted(Polled)", "EventsDrained"}},
        TransitionCase{P::Idle, P::Destroyed, {"LoopEnded"}},
        TransitionCase{P::DeliveringEvents, P::Idle, {"EventsDrained", "CycleEnded"}},
        TransitionCase{P::DeliveringEvents, P::DeliveringEvents, {}},
        TransitionCase{P::DeliveringEvents, P::DeliveringRedraws, {"EventsDrained"}},
        TransitionCase{P::DeliveringEvents, P::Destroyed, {"EventsDrained", "CycleEnded", "LoopEnded"}},
        TransitionCase{P::DeliveringRedraws, P::Idle, {"CycleEnded"}},
        TransitionCase{P::DeliveringRedraws, P::DeliveringEvents, {"CycleEnded", "CycleStarted(Polled)"}},
        TransitionCase{P::DeliveringRedraws, P::DeliveringRedraws, {}},
        TransitionCase{P::DeliveringRedraws, P::Destroyed, {"CycleEnded", "LoopEnded"}},
        TransitionCase{P::Destroyed, P::Destroyed, {}}),
    [](const auto& info) { return name(info.param.from) + "_to_" + name(info.param.to); });

// The run loop's first events: a cycle opened by an event that arrives while the handler is free.
TEST(DeliverEvent, FromIdleStartsACycleAndRepaintsStartTheRedrawPart) {
  HWND target =
      CreateWindowExW(0, L"STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  EventLoopRunner runner(target, 0);
  Lines log;
  runner.install_handler([&](LoopEvent& event, LoopControl& control) {
    log.push_back(testing_support::describe(event));
    control = loop_control::Wait{};
  });
  runner.advance_phase(P::Idle);
  log.clear();
  LoopEvent moved = loop_event::Window{target, window_event::Moved{{1, 2}}};
  EXPECT_TRUE(runner.deliver_event(moved));
  LoopEvent repaint = loop_event::RepaintRequested{target};
  runner.deliver_event(repaint);
  runner.end_cycle();
  EXPECT_EQ(log, (Lines{"CycleStarted(Interrupted)", "Window(Moved 1,2)", "EventsDrained", "RepaintRequested",
                        "CycleEnded"}));
  DestroyWindow(target);
}

}  // namespace
}  // namespace corvane
