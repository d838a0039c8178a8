#pragma once
#include "window/loop_events.h"

namespace corvane {

// The program's handler: sleep until the next message, and end with exit code 0 when the user asks
// to close the window. Keeps no state.
void AppEventHandler(LoopEvent& event, LoopControl& control);

}  // namespace corvane
