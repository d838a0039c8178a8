// URLs as the browser hands them to a host: in the canonical form its URL parser gives them.
#include <algorithm>

#include "tests/webview2_runtime/runtime.h"

namespace corvane::test_runtime {
namespace {

wchar_t lower(wchar_t c) {
  return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

bool scheme_character(wchar_t c, bool first) {
  const bool letter = (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z');
  return letter || (!first && ((c >= L'0' && c <= L'9') || c == L'+' || c == L'-' || c == L'.'));
}

// The scheme's length (without the colon), or 0 when the URL does not start with one.
size_t scheme_length(std::wstring_view url) {
  size_t i = 0;
  while (i < url.size() && scheme_character(url[i], i == 0)) ++i;
  return i > 0 && i < url.size() && url[i] == L':' ? i : 0;
}

// Removes tabs and line breaks anywhere, and C0 controls and spaces at either end.
std::wstring without_stray_characters(std::wstring_view url) {
  std::wstring out;
  for (wchar_t c : url) {
    if (c != L'\t' && c != L'\n' && c != L'\r') out += c;
  }
  const auto stray = [](wchar_t c) { return c <= L' '; };
  while (!out.empty() && stray(out.back())) out.pop_back();
  size_t start = 0;
  while (start < out.size() && stray(out[start])) ++start;
  return out.substr(start);
}

// "//authority/path" of an http or https URL: backslashes before the query read as slashes, the host
// in lower case (user information keeps its case), the scheme's default port dropped, and an empty
// path made "/".
std::wstring canonical_hierarchy(std::wstring rest, std::wstring_view default_port) {
  const size_t query = rest.find_first_of(L"?#");
  for (size_t i = 0; i < std::min(query, rest.size()); ++i) {
    if (rest[i] == L'\\') rest[i] = L'/';
  }
  if (!rest.starts_with(L"//")) return rest;
  const size_t end = rest.find_first_of(L"/?#", 2);
  std::wstring authority = rest.substr(2, end == std::wstring::npos ? std::wstring::npos : end - 2);
  const size_t at = authority.rfind(L'@');
  const size_t host_start = at == std::wstring::npos ? 0 : at + 1;
  size_t host_end = authority.rfind(L':');
  if (host_end == std::wstring::npos || host_end < host_start ||
      authority.find(L']', host_end) != std::wstring::npos)
    host_end = authority.size();
  for (size_t i = host_start; i < host_end; ++i) authority[i] = lower(authority[i]);
  const std::wstring port = authority.substr(std::min(host_end + 1, authority.size()));
  if (host_end < authority.size() && (port.empty() || port == default_port)) authority.erase(host_end);
  // An empty path is "/".
  const std::wstring after = end == std::wstring::npos ? L"" : rest.substr(end);
  return L"//" + authority + (after.starts_with(L'/') ? L"" : L"/") + after;
}

}  // namespace

std::wstring canonical_url(std::wstring_view raw) {
  std::wstring url = without_stray_characters(raw);
  const size_t length = scheme_length(url);
  if (length == 0) return url;
  for (size_t i = 0; i < length; ++i) url[i] = lower(url[i]);
  const std::wstring scheme = url.substr(0, length);
  if (scheme != L"http" && scheme != L"https") return url;
  return scheme + L":" + canonical_hierarchy(url.substr(length + 1), scheme == L"https" ? L"443" : L"80");
}

}  // namespace corvane::test_runtime
