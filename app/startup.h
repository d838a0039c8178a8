#pragma once
#include "window/window_creation_error.h"

namespace corvane {

// The program's start-up: the event loop, the main window with its icon, the web view inside it,
// then the run loop, which ends the process. Returns only on a failure path, with the exit code.
int start_corvane();

// The window could not be created: says so in a dialog and gives the exit code, 0.
int report_window_failure(const WindowCreationError& error);

}  // namespace corvane
