#pragma once
// Why the web view could not be built. Every failure of the host is of the one kind "WebView2 error".
#include <cstdint>
#include <string>
#include <variant>

namespace corvane {

struct WebView2Failure {
  struct SystemError {
    std::int32_t code;
    // The description that came with the failure (the thread's error information), or empty.
    std::string message;
  };
  struct CallbackError {
    std::string text;
  };
  struct Cancelled {};
  struct SendError {};

  std::variant<SystemError, CallbackError, Cancelled, SendError> form;
};

struct WebViewError {
  WebView2Failure failure;
};

}  // namespace corvane
