#include "tests/fuzz/whatwg_url.h"

#include <algorithm>
#include <array>

namespace corvane::fuzz {
namespace {

bool alpha(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool digit(char c) {
  return c >= '0' && c <= '9';
}
bool hex_digit(char c) {
  return digit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
char lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
std::string lower(std::string_view s) {
  std::string out;
  for (char c : s) out += lower(c);
  return out;
}

// Leading and trailing C0 controls and spaces go; tabs and newlines go wherever they are.
std::string preprocess(std::string_view in) {
  const auto c0_or_space = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
  while (!in.empty() && c0_or_space(in.front())) in.remove_prefix(1);
  while (!in.empty() && c0_or_space(in.back())) in.remove_suffix(1);
  std::string out;
  for (char c : in) {
    if (c != '\t' && c != '\n' && c != '\r') out += c;
  }
  return out;
}

std::string percent_decode(std::string_view in) {
  std::string out;
  for (size_t i = 0; i < in.size(); ++i) {
    if (in[i] == '%' && i + 2 < in.size() && hex_digit(in[i + 1]) && hex_digit(in[i + 2])) {
      out += static_cast<char>(std::stoi(std::string(in.substr(i + 1, 2)), nullptr, 16));
      i += 2;
    } else {
      out += in[i];
    }
  }
  return out;
}

bool forbidden_domain_code_point(unsigned char c) {
  constexpr std::string_view forbidden_host = std::string_view("\0\t\n\r #/:<>?@[\\]^|", 17);
  return c <= 0x1F || c == '%' || c == 0x7F || forbidden_host.find(static_cast<char>(c)) != std::string::npos;
}

// The last label (ignoring one empty label after a final dot) is a number, so the host is IPv4.
bool ends_in_a_number(std::string_view domain) {
  if (domain.ends_with('.')) domain.remove_suffix(1);
  const std::string_view last =
      domain.substr(domain.rfind('.') == std::string_view::npos ? 0 : domain.rfind('.') + 1);
  if (!last.empty() && std::all_of(last.begin(), last.end(), digit)) return true;
  return last.size() >= 2 && last[0] == '0' && lower(last[1]) == 'x' &&
         std::all_of(last.begin() + 2, last.end(), hex_digit);
}

std::optional<std::string> parse_host(std::string_view input) {
  if (input.starts_with('[')) {
    if (!input.ends_with(']') || input.size() < 3) return std::nullopt;
    const std::string_view address = input.substr(1, input.size() - 2);
    const bool plausible = std::all_of(address.begin(), address.end(),
                                       [](char c) { return hex_digit(c) || c == ':' || c == '.'; });
    if (!plausible) return std::nullopt;
    return "[" + lower(address) + "]";
  }
  const std::string domain = percent_decode(input);
  if (domain.empty()) return std::nullopt;
  if (std::any_of(domain.begin(), domain.end(),
                  [](char c) { return static_cast<unsigned char>(c) >= 0x80; })) {
    return "<idna>";
  }
  const std::string ascii = lower(domain);
  if (std::any_of(ascii.begin(), ascii.end(),
                  [](char c) { return forbidden_domain_code_point(static_cast<unsigned char>(c)); })) {
    return std::nullopt;
  }
  if (ends_in_a_number(ascii)) return "<ipv4>";
  return ascii;
}

bool special(std::string_view scheme) {
  constexpr std::array<std::string_view, 6> schemes = {"ftp", "file", "http", "https", "ws", "wss"};
  return std::find(schemes.begin(), schemes.end(), scheme) != schemes.end();
}

UrlReading failed(UrlReading reading = {}) {
  reading.failure = true;
  reading.host.reset();
  return reading;
}

}  // namespace

UrlReading read_url(std::string_view raw) {
  const std::string input = preprocess(raw);
  const std::string_view s = input;
  if (s.empty() || !alpha(s[0])) return failed();  // a relative reference, and there is no base
  size_t i = 1;
  while (i < s.size() && (alpha(s[i]) || digit(s[i]) || s[i] == '+' || s[i] == '-' || s[i] == '.')) ++i;
  if (i == s.size() || s[i] != ':') return failed();
  UrlReading reading;
  reading.scheme = lower(s.substr(0, i));
  if (!special(reading.scheme) || reading.scheme == "file") return reading;

  std::string_view rest = s.substr(i + 1);
  while (!rest.empty() && (rest.front() == '/' || rest.front() == '\\')) rest.remove_prefix(1);
  const std::string_view authority = rest.substr(0, rest.find_first_of("/\\?#"));
  const size_t at = authority.rfind('@');
  const std::string_view host_port = at == std::string_view::npos ? authority : authority.substr(at + 1);
  bool in_brackets = false;
  size_t colon = std::string_view::npos;
  for (size_t k = 0; k < host_port.size() && colon == std::string_view::npos; ++k) {
    if (host_port[k] == '[') in_brackets = true;
    if (host_port[k] == ']') in_brackets = false;
    if (host_port[k] == ':' && !in_brackets) colon = k;
  }
  const std::string_view host = host_port.substr(0, colon);
  if (host.empty()) return failed(reading);
  if (colon != std::string_view::npos) {
    const std::string_view port = host_port.substr(colon + 1);
    if (!std::all_of(port.begin(), port.end(), digit)) return failed(reading);
    const size_t significant = port.find_first_not_of('0');
    if (significant != std::string_view::npos &&
        (port.size() - significant > 5 || std::stoul(std::string(port.substr(significant))) > 65535)) {
      return failed(reading);
    }
  }
  reading.host = parse_host(host);
  if (!reading.host) return failed(reading);
  return reading;
}

}  // namespace corvane::fuzz
