#pragma once
#include "window/event_loop.h"

namespace corvane {

// Pumps the loop thread's messages, delivering events to the handler in cycles, until the handler
// asks to exit at the end of a cycle (or WM_QUIT arrives); then ends the process with the exit code.
[[noreturn]] void run(EventLoop& loop, EventHandler handler);

}  // namespace corvane
