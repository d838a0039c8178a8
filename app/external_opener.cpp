#include "app/external_opener.h"

#include <array>

#include "support/ascii.h"
#include "support/text.h"

namespace corvane {
namespace {

constexpr std::array<std::string_view, 4> OpenableSchemes = {"https://", "http://", "mailto:", "tel:"};

}  // namespace

bool is_openable_url(std::string_view url) {
  const std::string lower = ascii_lower(url);
  for (std::string_view prefix : OpenableSchemes) {
    if (std::string_view(lower).starts_with(prefix)) return true;
  }
  return false;
}

void open_external(std::string_view url, ShellHandOff hand_off) {
  if (is_openable_url(url)) hand_off(to_utf16(url));
}

}  // namespace corvane
