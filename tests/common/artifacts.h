#pragma once
// What the tests leave for the suite's summary, in the build's test-artifacts folder.
#include <string>

namespace corvane::testing_support {

// A path the build names (the artifacts folder, a script), as this process reads it.
std::wstring build_path(const char* path);

// The file of that name in the test-artifacts folder.
std::wstring test_artifact(const wchar_t* name);

// Prints a figure a test measured, and keeps it for the suite's summary (test-artifacts/figures.log):
// passing tests' output is not shown.
void report_figure(const std::string& line);

}  // namespace corvane::testing_support
