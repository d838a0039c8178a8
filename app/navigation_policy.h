#pragma once
// Which pages may load inside the window: the application, its sign-in pages and about:, blob: and
// data: content. Everything else is refused and, where its scheme allows, opened outside.
#include <optional>
#include <string>
#include <string_view>

#include "app/external_opener.h"
#include "webview/navigation_types.h"

namespace corvane {

// The lower-cased host of an https URL, or none for any other URL. User information before an "@"
// is skipped and a bracketed IPv6 literal is kept whole, so the host is the one a browser would contact.
std::optional<std::string> host_of(std::string_view url);

struct NavigationHandler {
  ShellHandOff hand_off = shell_execute_open;
  NavigationDecision operator()(std::string_view url) const;
};

struct NewWindowHandler {
  ShellHandOff hand_off = shell_execute_open;
  NewWindowDecision operator()(std::string_view url, NewWindowFeatures features) const;
};

}  // namespace corvane
