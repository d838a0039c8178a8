#include "app/failure_text.h"

#include <cstdio>

#include "app/char_class.h"
#include "support/overloaded.h"
#include "support/text.h"

namespace corvane {
namespace {

std::string hex_upper_8(std::int32_t code) {
  char buffer[9];
  std::snprintf(buffer, sizeof buffer, "%08X", static_cast<unsigned>(code));
  return buffer;
}

void append_escaped(std::string& out, char32_t c) {
  switch (c) {
    case U'\t':
      out += "\\t";
      return;
    case U'\r':
      out += "\\r";
      return;
    case U'\n':
      out += "\\n";
      return;
    case U'\0':
      out += "\\0";
      return;
    case U'"':
      out += "\\\"";
      return;
    case U'\\':
      out += "\\\\";
      return;
    default:
      break;
  }
  if (classify_char(c) == CharClass::Printable) {
    append_utf8(out, c);
  } else {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "\\u{%x}", static_cast<unsigned>(c));
    out += buffer;
  }
}

// The description carried by the failure, else the system's text for the code, else nothing.
std::string failure_message(const WebView2Failure::SystemError& error) {
  if (!error.message.empty()) return error.message;
  SystemMessage message = system_message(error.code);
  if (auto* text = std::get_if<std::string>(&message.result)) return std::move(*text);
  return {};
}

}  // namespace

std::string system_error_text(std::int32_t code, const SystemMessage& message) {
  const std::string number = std::to_string(code);
  // Without a system text the message says why; the code follows it all the same.
  const std::string text =
      std::visit(Overloaded{
                     [&](const std::string& found) { return found; },
                     [&](const SystemMessage::FormatFailed& failed) {
                       return "OS Error " + number + " (FormatMessageW() returned error " +
                              std::to_string(failed.error) + ")";
                     },
                     [&](const SystemMessage::InvalidUtf16&) {
                       return "OS Error " + number + " (FormatMessageW() returned invalid UTF-16)";
                     },
                 },
                 message.result);
  return text + " (os error " + number + ")";
}

std::string quoted_text(std::string_view text) {
  std::string out = "\"";
  for_each_code_point(text, [&](char32_t c) { append_escaped(out, c); });
  out += '"';
  return out;
}

std::string window_creation_error_text(const WindowCreationError& error) {
  return "os error at " + std::string(error.file) + ":" + std::to_string(error.line) + ": " +
         system_error_text(error.code);
}

std::string webview2_failure_text(const WebView2Failure& failure) {
  return std::visit(Overloaded{
                        [](const WebView2Failure::SystemError& e) {
                          return "WindowsError(Error { code: HRESULT(0x" + hex_upper_8(e.code) +
                                 "), message: " + quoted_text(failure_message(e)) + " })";
                        },
                        [](const WebView2Failure::CallbackError& e) {
                          return "CallbackError(" + quoted_text(e.text) + ")";
                        },
                        [](const WebView2Failure::Cancelled&) { return std::string("TaskCanceled"); },
                        [](const WebView2Failure::SendError&) { return std::string("SendError"); },
                    },
                    failure.form);
}

std::string webview_error_text(const WebViewError& error) {
  return "WebView2 error: " + webview2_failure_text(error.failure);
}

std::string window_failure_text(const WindowCreationError& error) {
  return "Corvane couldn't open its window (" + window_creation_error_text(error) + ").";
}

std::string webview_failure_text(const WebViewError& error, std::string_view download_link) {
  return "Corvane needs Microsoft Edge WebView2, which comes with Windows 10 and 11.\n\nInstall it from " +
         std::string(download_link) + " and open Corvane again.\n\n(" + webview_error_text(error) + ")";
}

}  // namespace corvane
