// UTF-8 and UTF-16 conversions against the C library's UTF-8 decoder: valid text of either form
// survives the round trip unchanged; invalid UTF-8 and unpaired surrogates become U+FFFD and nothing
// else changes; the strict conversion refuses exactly the texts with unpaired surrogates.
#include <clocale>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <cuchar>
#include <optional>
#include <string>

#include "support/text.h"
#include "tests/fuzz/fuzz_check.h"

namespace corvane {
namespace {

// The code points of valid UTF-8 as glibc decodes it in a UTF-8 locale, or none for invalid text.
// glibc also takes sequences past U+10FFFF, which Unicode does not.
std::optional<std::u32string> reference_decode(std::string_view utf8) {
  std::u32string out;
  std::mbstate_t state{};
  for (size_t pos = 0; pos < utf8.size();) {
    char32_t c;
    const size_t used = std::mbrtoc32(&c, utf8.data() + pos, utf8.size() - pos, &state);
    if (used == static_cast<size_t>(-1) || used == static_cast<size_t>(-2) || c > 0x10FFFF)
      return std::nullopt;
    out += c;
    pos += used == 0 ? 1 : used;
  }
  return out;
}

std::wstring to_units(const std::u32string& code_points) {
  std::wstring out;
  for (char32_t c : code_points) {
    if (c < 0x10000) {
      out += static_cast<wchar_t>(c);
    } else {
      out += static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
      out += static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    }
  }
  return out;
}

bool high(wchar_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}
bool low(wchar_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}

// The units with every unpaired surrogate replaced by U+FFFD.
std::wstring with_replacements(std::wstring_view units) {
  std::wstring out;
  for (size_t i = 0; i < units.size(); ++i) {
    if (high(units[i]) && i + 1 < units.size() && low(units[i + 1])) {
      out += units[i];
      out += units[++i];
    } else {
      out += high(units[i]) || low(units[i]) ? L'\uFFFD' : units[i];
    }
  }
  return out;
}

void check_utf8_input(std::string_view bytes) {
  const std::wstring units = to_utf16(bytes);
  FUZZ_CHECK(with_replacements(units) == units, "an unpaired surrogate came out of UTF-8");
  const std::string back = to_utf8(units);
  FUZZ_CHECK(reference_decode(back).has_value(), "to_utf8 produced invalid UTF-8");
  FUZZ_CHECK(to_utf8_strict(units) == back, "the strict conversion disagrees on paired text");
  if (const auto code_points = reference_decode(bytes)) {
    FUZZ_CHECK(units == to_units(*code_points), "valid UTF-8 decoded differently");
    FUZZ_CHECK(back == bytes, "valid UTF-8 did not survive the round trip");
  } else {
    FUZZ_CHECK(back.find("\xEF\xBF\xBD") != std::string::npos, "invalid UTF-8 left no U+FFFD");
  }
}

void check_utf16_input(std::wstring_view units) {
  const std::string utf8 = to_utf8(units);
  FUZZ_CHECK(reference_decode(utf8).has_value(), "to_utf8 produced invalid UTF-8");
  const std::wstring replaced = with_replacements(units);
  FUZZ_CHECK(to_utf16(utf8) == replaced, "the round trip changed more than the unpaired surrogates");
  FUZZ_CHECK(to_utf8_strict(units).has_value() == (replaced == units), "the strict conversion misjudged");
}

}  // namespace
}  // namespace corvane

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  std::setlocale(LC_ALL, "C.UTF-8");
  return 0;
}

// The first byte chooses: even, the rest is UTF-8 input; odd, it is UTF-16LE code units.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  if (data[0] % 2 == 0) {
    corvane::check_utf8_input(rest);
  } else {
    std::wstring units;
    for (size_t i = 0; i + 1 < rest.size(); i += 2) {
      units += static_cast<wchar_t>(static_cast<unsigned char>(rest[i]) |
                                    (static_cast<unsigned char>(rest[i + 1]) << 8));
    }
    corvane::check_utf16_input(units);
  }
  return 0;
}
