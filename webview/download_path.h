#pragma once
// Downloads: every one is accepted at the path the runtime proposes, written in its simplest form.
#include <string>
#include <string_view>

namespace corvane {

struct DownloadDecision {
  bool accept;
  std::wstring path;
};

// The program's download rule: accept, path unchanged.
DownloadDecision accept_all_downloads(std::string_view url, std::wstring proposed_path);

// A verbatim path ("\\?\C:\...") without its prefix when it means the same without it: at most 259
// characters, components of at most 255 without forbidden characters, trailing spaces or dots, or
// device names. Any other path comes back as it went in.
std::wstring simplest_form(std::wstring_view path);

}  // namespace corvane
