#include "window/phase_table.h"

#include <array>
#include <vector>

namespace corvane {
namespace {

using S = PhaseStep;
using Steps = std::vector<PhaseStep>;

// Rows: from NotStarted, Idle, DeliveringEvents, DeliveringRedraws, Destroyed.
// Columns: to Idle, DeliveringEvents, DeliveringRedraws, Destroyed.
const std::array<std::array<Steps, 4>, 5> kTable = {{
    {{{S::CycleStart, S::EventsDrained, S::CycleEnd},
      {S::CycleStart},
      {S::CycleStart, S::EventsDrained},
      {S::CycleStart, S::EventsDrained, S::CycleEnd, S::LoopEnded}}},
    {{{}, {S::CycleStart}, {S::CycleStart, S::EventsDrained}, {S::LoopEnded}}},
    {{{S::EventsDrained, S::CycleEnd},
      {},
      {S::EventsDrained},
      {S::EventsDrained, S::CycleEnd, S::LoopEnded}}},
    {{{S::CycleEnd}, {S::CycleEnd, S::CycleStart}, {}, {S::CycleEnd, S::LoopEnded}}},
    {{{S::Fatal}, {S::Fatal}, {S::Fatal}, {}}},
}};

}  // namespace

std::span<const PhaseStep> phase_steps(RunnerPhase from, RunnerPhase to) {
  const Steps& steps = kTable[static_cast<size_t>(from)][static_cast<size_t>(to) - 1];
  return {steps.data(), steps.size()};
}

}  // namespace corvane
