#include "tests/common/artifacts.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "support/text.h"

namespace corvane::testing_support {

std::wstring from_unix(const char* path) {
  std::wstring windows = L"Z:" + to_utf16(path);
  std::replace(windows.begin(), windows.end(), L'/', L'\\');
  return windows;
}

std::wstring test_artifact(const wchar_t* name) {
  return from_unix(CORVANE_TEST_ARTIFACTS) + L"\\" + name;
}

void report_figure(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
  std::ofstream(std::filesystem::path(test_artifact(L"figures.log")), std::ios::app) << line << "\n";
}

}  // namespace corvane::testing_support
