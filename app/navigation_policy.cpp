#include "app/navigation_policy.h"

#include <array>

#include "app/config.h"
#include "support/ascii.h"

namespace corvane {
namespace {

constexpr std::array<std::string_view, 2> AllowedHosts = {AppConfig::SignInHost, AppConfig::AppHost};

bool starts_with(std::string_view url, std::string_view prefix) {
  return url.starts_with(prefix);
}

// The authority with any user information removed; it ends at "/", "?", "#" or "\" (browsers read a
// backslash in an https URL as a slash).
std::string_view authority_host_port(std::string_view rest) {
  const std::string_view authority = rest.substr(0, rest.find_first_of("/?#\\"));
  const size_t at = authority.rfind('@');
  return at == std::string_view::npos ? authority : authority.substr(at + 1);
}

}  // namespace

std::optional<std::string> host_of(std::string_view url) {
  constexpr std::string_view kHttps = "https://";
  if (!starts_with(url, kHttps)) return std::nullopt;
  const std::string_view host_port = authority_host_port(url.substr(kHttps.size()));
  std::string_view host;
  if (host_port.starts_with('[')) {
    const size_t close = host_port.find(']');
    host = close == std::string_view::npos ? host_port : host_port.substr(0, close + 1);
  } else {
    host = host_port.substr(0, host_port.find(':'));
  }
  return ascii_lower(host);
}

NavigationDecision NavigationHandler::operator()(std::string_view url) const {
  if (starts_with(url, "about:") || starts_with(url, "blob:") || starts_with(url, "data:")) {
    return NavigationDecision::Allow;
  }
  if (const auto host = host_of(url)) {
    for (std::string_view allowed : AllowedHosts) {
      if (*host == allowed) return NavigationDecision::Allow;
    }
  }
  open_external(url, hand_off);
  return NavigationDecision::Deny;
}

NewWindowDecision NewWindowHandler::operator()(std::string_view url, NewWindowFeatures features) const {
  NewWindowDecision decision;
  const auto host = host_of(url);
  if ((host && *host == AppConfig::AppHost) || starts_with(url, "about:blank") || starts_with(url, "blob:")) {
    decision.kind = NewWindowDecision::Kind::Allow;
  } else {
    open_external(url, hand_off);
    decision.kind = NewWindowDecision::Kind::Deny;
  }
  // The opener's references are not kept past the decision.
  features.opener_web_view.reset();
  features.opener_environment.reset();
  return decision;
}

}  // namespace corvane
