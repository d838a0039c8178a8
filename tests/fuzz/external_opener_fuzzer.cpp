// The external opener's scheme test: only http, https, mailto and tel URLs may reach the shell, as a
// URL parser reads the scheme, whatever the letter case; the test looks at nothing past the scheme's
// prefix; and an openable URL reaches the hand-off unchanged.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <set>
#include <string>

#include "app/external_opener.h"
#include "support/text.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/whatwg_url.h"

namespace corvane {
namespace {

std::optional<std::wstring> g_handed;
void record(const std::wstring& url) {
  g_handed = url;
}

std::string swap_ascii_case(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z')
      c = static_cast<char>(c - 'a' + 'A');
    else if (c >= 'A' && c <= 'Z')
      c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

void check(std::string_view url, std::string_view suffix) {
  const bool openable = is_openable_url(url);
  if (openable) {
    const fuzz::UrlReading reading = fuzz::read_url(url);
    static const std::set<std::string> schemes = {"http", "https", "mailto", "tel"};
    FUZZ_CHECK(schemes.contains(reading.scheme), "\"%.*s\" is openable with scheme \"%s\"", int(url.size()),
               url.data(), reading.scheme.c_str());
  }
  FUZZ_CHECK(is_openable_url(swap_ascii_case(url)) == openable, "letter case changed the answer");
  FUZZ_CHECK(!openable || is_openable_url(std::string(url) + std::string(suffix)),
             "a suffix changed the answer");

  g_handed.reset();
  open_external(url, record);
  FUZZ_CHECK(g_handed.has_value() == openable, "hand-off disagrees with the scheme test");
  if (g_handed) FUZZ_CHECK(*g_handed == to_utf16(url), "the URL was changed on its way out");
}

}  // namespace
}  // namespace corvane

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The first byte says where the input splits into a URL and a suffix for it.
  if (size == 0) return 0;
  const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  const size_t split = std::min<size_t>(data[0], rest.size());
  corvane::check(rest.substr(0, rest.size() - split), rest.substr(rest.size() - split));
  return 0;
}
