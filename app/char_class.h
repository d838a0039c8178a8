#pragma once

namespace corvane {

enum class CharClass { Printable, Combining, Unprintable };

// The system's own classification of a character, for quoting texts in error messages.
CharClass classify_char(char32_t c);

}  // namespace corvane
