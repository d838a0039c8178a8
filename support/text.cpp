#include "support/text.h"

namespace corvane {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool is_continuation(unsigned char c) {
  return (c & 0xC0) == 0x80;
}

template <bool Strict>
std::optional<std::string> utf16_to_utf8(std::wstring_view in) {
  std::string out;
  out.reserve(in.size());
  for (size_t i = 0; i < in.size(); ++i) {
    char32_t c = static_cast<char16_t>(in[i]);
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < in.size() && in[i + 1] >= 0xDC00 && in[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char16_t>(in[i + 1]) - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      if constexpr (Strict) return std::nullopt;
      c = kReplacement;
    }
    append_utf8(out, c);
  }
  return out;
}

}  // namespace

// Decodes one code point at pos and advances pos; overlong forms, surrogates and truncated
// sequences count as one invalid byte each.
char32_t decode_utf8(std::string_view s, size_t& pos) {
  const auto lead = static_cast<unsigned char>(s[pos]);
  int length = 0;
  char32_t c = 0, min = 0;
  if (lead < 0x80) {
    ++pos;
    return lead;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2, c = lead & 0x1F, min = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, c = lead & 0x0F, min = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, c = lead & 0x07, min = 0x10000;
  } else {
    ++pos;
    return kReplacement;
  }
  if (pos + length > s.size()) {
    ++pos;
    return kReplacement;
  }
  for (int k = 1; k < length; ++k) {
    const auto b = static_cast<unsigned char>(s[pos + k]);
    if (!is_continuation(b)) {
      ++pos;
      return kReplacement;
    }
    c = (c << 6) | (b & 0x3F);
  }
  if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
    ++pos;
    return kReplacement;
  }
  pos += length;
  return c;
}

void append_utf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

int encode_utf16(char32_t c, wchar_t (&units)[2]) {
  if (c < 0x10000) {
    units[0] = static_cast<wchar_t>(c);
    return 1;
  }
  units[0] = static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
  units[1] = static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
  return 2;
}

std::wstring to_utf16(std::string_view utf8) {
  std::wstring out;
  out.reserve(utf8.size());
  for_each_code_point(utf8, [&](char32_t c) {
    wchar_t units[2];
    out.append(units, static_cast<size_t>(encode_utf16(c, units)));
  });
  return out;
}

std::string to_utf8(std::wstring_view utf16) {
  return *utf16_to_utf8<false>(utf16);
}

std::optional<std::string> to_utf8_strict(std::wstring_view utf16) {
  return utf16_to_utf8<true>(utf16);
}

}  // namespace corvane
