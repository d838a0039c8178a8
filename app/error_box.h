#pragma once
#include <string_view>

namespace corvane {

// A modal error box captioned "Corvane" with one OK button; returns when the user dismisses it.
void show_error_box(std::string_view text);

}  // namespace corvane
