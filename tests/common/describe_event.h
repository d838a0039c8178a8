#pragma once
// One line of text per loop event, for event logs that tests compare.
#include <string>

#include "window/loop_events.h"

namespace corvane::testing_support {

std::string describe(const LoopEvent& event);
std::string describe(const WindowEventKind& kind);

}  // namespace corvane::testing_support
