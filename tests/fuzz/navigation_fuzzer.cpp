// The navigation policy against a WHATWG-style reading of the same URL: whatever the policy lets load
// inside the window must be a page of an allowed host (or about:, blob: or data: content), and every
// refusal hands the URL on unchanged exactly when its scheme is one the shell may open.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "app/config.h"
#include "app/navigation_policy.h"
#include "support/text.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/whatwg_url.h"

namespace corvane {
namespace {

std::optional<std::wstring> g_handed;
void record(const std::wstring& url) {
  FUZZ_CHECK(!g_handed, "handed on twice");
  g_handed = url;
}

bool starts_with_any(std::string_view url, std::initializer_list<std::string_view> prefixes) {
  for (std::string_view prefix : prefixes) {
    if (url.starts_with(prefix)) return true;
  }
  return false;
}

// A URL allowed for its host: a browser either rejects it outright or contacts one of the hosts.
void check_host_allowed(std::string_view url, std::initializer_list<std::string_view> hosts) {
  const fuzz::UrlReading reading = fuzz::read_url(url);
  if (reading.failure) return;
  FUZZ_CHECK(reading.scheme == "https", "allowed \"%.*s\" reads as scheme %s", int(url.size()), url.data(),
             reading.scheme.c_str());
  bool listed = false;
  for (std::string_view host : hosts) listed = listed || reading.host == host;
  FUZZ_CHECK(listed, "allowed \"%.*s\" would contact %s", int(url.size()), url.data(),
             reading.host.value_or("(none)").c_str());
  FUZZ_CHECK(host_of(url) == reading.host, "host_of disagrees on \"%.*s\"", int(url.size()), url.data());
}

void check_hand_off(std::string_view url, bool allowed) {
  const bool expected = !allowed && is_openable_url(url);
  FUZZ_CHECK(g_handed.has_value() == expected, "\"%.*s\" %s handed on", int(url.size()), url.data(),
             g_handed ? "was" : "was not");
  if (g_handed) FUZZ_CHECK(*g_handed == to_utf16(url), "the handed URL was changed");
  g_handed.reset();
}

void check_navigation(std::string_view url) {
  const bool allowed = NavigationHandler{record}(url) == NavigationDecision::Allow;
  if (allowed && !starts_with_any(url, {"about:", "blob:", "data:"})) {
    check_host_allowed(url, {AppConfig::AppHost, AppConfig::SignInHost});
  }
  check_hand_off(url, allowed);
}

void check_new_window(std::string_view url) {
  const NewWindowDecision decision = NewWindowHandler{record}(url, {});
  FUZZ_CHECK(decision.kind != NewWindowDecision::Kind::Create && !decision.web_view, "a window was created");
  const bool allowed = decision.kind == NewWindowDecision::Kind::Allow;
  if (allowed && !starts_with_any(url, {"about:blank", "blob:"}))
    check_host_allowed(url, {AppConfig::AppHost});
  check_hand_off(url, allowed);
}

}  // namespace
}  // namespace corvane

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view url(reinterpret_cast<const char*>(data), size);
  corvane::check_navigation(url);
  corvane::check_new_window(url);
  return 0;
}
