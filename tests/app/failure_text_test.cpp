#include "app/failure_text.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

constexpr std::int32_t kInvalidArgFromWin32 = hresult_from_win32(87);

TEST(FailureText, Win32ErrorsBecomeHresults) {
  EXPECT_EQ(kInvalidArgFromWin32, -2147024809);
  EXPECT_EQ(hresult_from_win32(0), 0);
  EXPECT_EQ(hresult_from_win32(0x80004005u), static_cast<std::int32_t>(0x80004005u));
  EXPECT_EQ(hresult_from_win32(0x12345), static_cast<std::int32_t>(0x80072345u));
}

struct SystemTextCase {
  std::int32_t code;
  SystemMessage message;
  std::string text;
};

class SystemErrorText : public testing::TestWithParam<SystemTextCase> {};

TEST_P(SystemErrorText, FormatsMessageAndSignedCode) {
  EXPECT_EQ(system_error_text(GetParam().code, GetParam().message), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SystemErrorText,
    testing::Values(SystemTextCase{kInvalidArgFromWin32,
                                   {"The parameter is incorrect."},
                                   "The parameter is incorrect. (os error -2147024809)"},
                    SystemTextCase{0,
                                   {"The operation completed successfully."},
                                   "The operation completed successfully. (os error 0)"},
                    SystemTextCase{
                        kInvalidArgFromWin32,
                        {SystemMessage::FormatFailed{317}},
                        "OS Error -2147024809 (FormatMessageW() returned error 317) (os error -2147024809)"},
                    SystemTextCase{5,
                                   {SystemMessage::InvalidUtf16{}},
                                   "OS Error 5 (FormatMessageW() returned invalid UTF-16) (os error 5)"}));

TEST(SystemMessageLookup, TakesTheSystemTextWithoutTrailingWhiteSpace) {
  const SystemMessage message = system_message(0);
  const auto* text = std::get_if<std::string>(&message.result);
  ASSERT_NE(text, nullptr);
  ASSERT_FALSE(text->empty());
  EXPECT_EQ(std::string_view(" \t\r\n").find(text->back()), std::string_view::npos) << *text;
}

TEST(SystemMessageLookup, ClearsTheNtFacilityBitAndAsksNtdll) {
  // Wine's NTDLL carries no message table of its own, so the lookup falls back to the system's: a code
  // that is only found with the bit cleared shows that it was cleared.
  const SystemMessage with_bit = system_message(0x10000005);
  const SystemMessage plain = system_message(5);
  ASSERT_TRUE(std::holds_alternative<std::string>(plain.result));
  ASSERT_TRUE(std::holds_alternative<std::string>(with_bit.result));
  EXPECT_EQ(std::get<std::string>(with_bit.result), std::get<std::string>(plain.result));
}

TEST(SystemMessageLookup, ReportsTheErrorOfAFailedLookup) {
  const SystemMessage message = system_message(0x7FFFFFF0);
  ASSERT_TRUE(std::holds_alternative<SystemMessage::FormatFailed>(message.result));
  EXPECT_EQ(std::get<SystemMessage::FormatFailed>(message.result).error, 317u);  // ERROR_MR_MID_NOT_FOUND
}

struct QuoteCase {
  std::string text;
  std::string quoted;
};

class Quoted : public testing::TestWithParam<QuoteCase> {};

TEST_P(Quoted, WritesTheTextAsAStringLiteral) {
  EXPECT_EQ(quoted_text(GetParam().text), GetParam().quoted);
}

INSTANTIATE_TEST_SUITE_P(Cases, Quoted,
                         testing::Values(QuoteCase{"", "\"\""}, QuoteCase{"plain text.", "\"plain text.\""},
                                         QuoteCase{"say \"hi\" \\ bye", "\"say \\\"hi\\\" \\\\ bye\""},
                                         QuoteCase{std::string("a\tb\rc\nd\0e", 9), "\"a\\tb\\rc\\nd\\0e\""},
                                         QuoteCase{"it's", "\"it's\""},
                                         QuoteCase{"caf\xc3\xa9 \xe2\x82\xac \xe6\x97\xa5",
                                                   "\"caf\xc3\xa9 \xe2\x82\xac \xe6\x97\xa5\""},
                                         QuoteCase{"e\xcc\x81", "\"e\\u{301}\""},  // combining acute accent
                                         QuoteCase{"\x07\x1b\x7f", "\"\\u{7}\\u{1b}\\u{7f}\""},  // controls
                                         QuoteCase{"a\xc2\xa0z", "\"a\\u{a0}z\""},    // no-break space
                                         QuoteCase{"\xe2\x80\xa8", "\"\\u{2028}\""},  // line separator
                                         QuoteCase{"\xff",
                                                   "\"\xef\xbf\xbd\""}));  // invalid UTF-8 shows as U+FFFD

TEST(WindowFailureText, NamesTheLocationAndTheSignedCode) {
  const WindowCreationError error{"window/main_window.cpp", 97, kInvalidArgFromWin32};
  EXPECT_EQ(window_failure_text(error),
            "Corvane couldn't open its window (os error at window/main_window.cpp:97: " +
                system_error_text(kInvalidArgFromWin32) + ").");
  EXPECT_TRUE(system_error_text(kInvalidArgFromWin32).ends_with(" (os error -2147024809)"));
}

TEST(WindowFailureText, ShowsCodeZeroWithTheSystemTextForZero) {
  const std::string text = window_failure_text(WindowCreationError{"w.cpp", 1, 0});
  EXPECT_EQ(text, "Corvane couldn't open its window (os error at w.cpp:1: " +
                      std::get<std::string>(system_message(0).result) + " (os error 0)).");
}

constexpr std::string_view kWebViewPrefix =
    "Corvane needs Microsoft Edge WebView2, which comes with Windows 10 and 11.\n\n"
    "Install it from https://go.microsoft.com/fwlink/p/?LinkId=2124703 and open Corvane again.\n\n(";

struct WebViewCase {
  WebView2Failure failure;
  std::string error_text;
};

class WebViewFailureText : public testing::TestWithParam<WebViewCase> {};

TEST_P(WebViewFailureText, BuildsTheThreeParagraphs) {
  EXPECT_EQ(kWebViewPrefix.size(), 168u);
  EXPECT_EQ(webview_failure_text(WebViewError{GetParam().failure}),
            std::string(kWebViewPrefix) + "WebView2 error: " + GetParam().error_text + ")");
}

INSTANTIATE_TEST_SUITE_P(
    Forms, WebViewFailureText,
    testing::Values(
        WebViewCase{
            {WebView2Failure::SystemError{static_cast<std::int32_t>(0x80070002u),
                                          "The system cannot find the file specified."}},
            "WindowsError(Error { code: HRESULT(0x80070002), message: \"The system cannot find the file specified.\" })"},
        WebViewCase{
            {WebView2Failure::SystemError{static_cast<std::int32_t>(0x8000FFFFu), "line one\nsaid \"no\""}},
            "WindowsError(Error { code: HRESULT(0x8000FFFF), message: \"line one\\nsaid \\\"no\\\"\" })"},
        WebViewCase{{WebView2Failure::SystemError{0x00000001, "odd"}},
                    "WindowsError(Error { code: HRESULT(0x00000001), message: \"odd\" })"},
        WebViewCase{{WebView2Failure::CallbackError{"tab\there"}}, "CallbackError(\"tab\\there\")"},
        WebViewCase{{WebView2Failure::Cancelled{}}, "TaskCanceled"},
        WebViewCase{{WebView2Failure::SendError{}}, "SendError"}));

TEST(WebViewFailureText, FallsBackToTheSystemTextWhenNoDescriptionCame) {
  const std::int32_t code = kInvalidArgFromWin32;
  const auto system = system_message(code);
  const std::string expected_message =
      std::holds_alternative<std::string>(system.result) ? std::get<std::string>(system.result) : "";
  EXPECT_EQ(
      webview2_failure_text({WebView2Failure::SystemError{code, ""}}),
      "WindowsError(Error { code: HRESULT(0x80070057), message: " + quoted_text(expected_message) + " })");
}

}  // namespace
}  // namespace corvane
