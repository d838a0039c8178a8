#include "tests/common/artifacts.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "support/text.h"

namespace corvane::testing_support {

std::wstring build_path(const char* path) {
  // A build on Linux names its files from /, which Wine shows on drive Z:; a native build's paths
  // already start with a drive.
  std::wstring windows = (path[0] == '/' ? L"Z:" : L"") + to_utf16(path);
  std::replace(windows.begin(), windows.end(), L'/', L'\\');
  return windows;
}

std::wstring test_artifact(const wchar_t* name) {
  return build_path(CORVANE_TEST_ARTIFACTS) + L"\\" + name;
}

void report_figure(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
  std::ofstream(std::filesystem::path(test_artifact(L"figures.log")), std::ios::app) << line << "\n";
}

}  // namespace corvane::testing_support
