#pragma once
#include "window/main_window.h"

namespace corvane {

// "Corvane", 1280 x 820 logical, never below 360 x 560 logical, maximized, with the given icon.
WindowAttributes main_window_attributes(SharedIcon icon);

}  // namespace corvane
