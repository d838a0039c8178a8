#pragma once
// UTF-8 inside the program, NUL-terminated UTF-16 at every system call.
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

// Invalid UTF-8 sequences become U+FFFD; code points above U+FFFF become surrogate pairs.
std::wstring to_utf16(std::string_view utf8);

// Unpaired surrogates become U+FFFD.
std::string to_utf8(std::wstring_view utf16);

// None when the text holds an unpaired surrogate.
std::optional<std::string> to_utf8_strict(std::wstring_view utf16);

// The code point in UTF-16: one unit, or a surrogate pair above U+FFFF. Returns how many units.
int encode_utf16(char32_t code_point, wchar_t (&units)[2]);

// Decodes the code point at pos and moves pos past it; an invalid sequence gives U+FFFD for one byte.
char32_t decode_utf8(std::string_view utf8, size_t& pos);
void append_utf8(std::string& out, char32_t code_point);

// Each code point of the text, decoded as decode_utf8 does.
template <typename F>
void for_each_code_point(std::string_view utf8, F&& f) {
  for (size_t pos = 0; pos < utf8.size();) f(decode_utf8(utf8, pos));
}

}  // namespace corvane
