#pragma once
// An independent reading of a URL's scheme and host, written from the WHATWG URL Standard's basic URL
// parser (special schemes, no base URL) and kept apart from the program's code, so that the fuzzers
// can hold the navigation policy to what a browser would contact.
#include <optional>
#include <string>
#include <string_view>

namespace corvane::fuzz {

struct UrlReading {
  // The parser rejects the input: no browser would load it.
  bool failure = false;
  // Lower case; read for every input that has a scheme, even one the parser then rejects.
  std::string scheme;
  // For the special schemes other than file: the serialised host. Hosts with non-ASCII characters
  // come back as "<idna>" because the UTS 46 mapping is not modelled; IPv4 hosts as "<ipv4>".
  std::optional<std::string> host;
};

UrlReading read_url(std::string_view input);

}  // namespace corvane::fuzz
