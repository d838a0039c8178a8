#include "support/text.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

struct Utf16Case {
  std::wstring utf16;
  std::string utf8;  // lenient conversion
  bool valid;        // strict conversion succeeds
};

class Utf16ToUtf8 : public testing::TestWithParam<Utf16Case> {};

TEST_P(Utf16ToUtf8, ConvertsAndReplacesUnpairedSurrogates) {
  const Utf16Case& c = GetParam();
  EXPECT_EQ(to_utf8(c.utf16), c.utf8);
  EXPECT_EQ(to_utf8_strict(c.utf16).has_value(), c.valid);
  if (c.valid) {
    EXPECT_EQ(to_utf16(c.utf8), c.utf16);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Utf16ToUtf8,
    testing::Values(Utf16Case{L"", "", true}, Utf16Case{L"https://a.b/", "https://a.b/", true},
                    Utf16Case{L"\u00e9\u20ac", "\xc3\xa9\xe2\x82\xac", true},
                    Utf16Case{std::wstring{0xD83D, 0xDE00}, "\xf0\x9f\x98\x80", true},
                    Utf16Case{std::wstring{L'a', 0xD83D}, "a\xef\xbf\xbd", false},
                    Utf16Case{std::wstring{0xDE00, L'b'},
                              "\xef\xbf\xbd"
                              "b",
                              false},
                    Utf16Case{std::wstring{0xDE00, 0xD83D}, "\xef\xbf\xbd\xef\xbf\xbd", false},
                    Utf16Case{std::wstring{L'x', L'\0', L'y'}, std::string("x\0y", 3), true}));

struct Utf8Case {
  std::string utf8;
  std::wstring utf16;
};

class Utf8ToUtf16 : public testing::TestWithParam<Utf8Case> {};

TEST_P(Utf8ToUtf16, ReplacesInvalidSequences) {
  EXPECT_EQ(to_utf16(GetParam().utf8), GetParam().utf16);
}

INSTANTIATE_TEST_SUITE_P(Cases, Utf8ToUtf16,
                         testing::Values(Utf8Case{"\xff", L"\ufffd"},                      // not a lead byte
                                         Utf8Case{"\xc3", L"\ufffd"},                      // truncated
                                         Utf8Case{"\xc0\xaf", L"\ufffd\ufffd"},            // overlong
                                         Utf8Case{"\xed\xa0\x80", L"\ufffd\ufffd\ufffd"},  // surrogate
                                         Utf8Case{"\xe2\x28\xa1", L"\ufffd(\ufffd"},       // bad continuation
                                         Utf8Case{"\xf4\x90\x80\x80", L"\ufffd\ufffd\ufffd\ufffd"}));

}  // namespace
}  // namespace corvane
