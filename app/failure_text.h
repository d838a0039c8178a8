#pragma once
// The texts of the two start-up failure dialogs and of the errors inside them.
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "app/config.h"
#include "webview/webview_error.h"
#include "window/window_creation_error.h"

namespace corvane {

// What FormatMessageW gave for a code: its text, its failure, or text that is not valid UTF-16.
struct SystemMessage {
  struct FormatFailed {
    std::uint32_t error;
  };
  struct InvalidUtf16 {};
  std::variant<std::string, FormatFailed, InvalidUtf16> result;
};

// Looks the code up in the system's message table (NTDLL's for codes with the NT facility bit);
// trailing ASCII white space removed.
SystemMessage system_message(std::int32_t code);

// "<message> (os error <code>)", or the text saying why there is no message.
std::string system_error_text(std::int32_t code, const SystemMessage& message);
std::string system_error_text(std::int32_t code);

// The text as a string literal: quotes, backslash escapes, and \u{...} for characters the system
// classifies as combining or not printable.
std::string quoted_text(std::string_view text);

std::string window_creation_error_text(const WindowCreationError& error);
std::string webview2_failure_text(const WebView2Failure& failure);
std::string webview_error_text(const WebViewError& error);

std::string window_failure_text(const WindowCreationError& error);
std::string webview_failure_text(const WebViewError& error,
                                 std::string_view download_link = AppConfig::DownloadLink);

}  // namespace corvane
