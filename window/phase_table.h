#pragma once
// What moving the runner from one phase to another delivers, in order.
#include <span>

#include "window/loop_events.h"

namespace corvane {

enum class PhaseStep {
  CycleStart,     // CycleStarted, the queued events, and the request that closes the cycle later
  EventsDrained,  // the input part of the cycle is over
  CycleEnd,       // CycleEnded, then the cycle end time is taken
  LoopEnded,
  Fatal,  // nothing may leave Destroyed
};

// The steps for a move to `to`, which is never NotStarted.
std::span<const PhaseStep> phase_steps(RunnerPhase from, RunnerPhase to);

}  // namespace corvane
