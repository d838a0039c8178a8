#pragma once
// What the tests leave for the suite's summary, in the build's test-artifacts folder.
#include <string>

namespace corvane::testing_support {

// A path of the Linux side, as Wine's Z: drive shows it.
std::wstring from_unix(const char* path);

// The file of that name in the test-artifacts folder.
std::wstring test_artifact(const wchar_t* name);

// Prints a figure a test measured, and keeps it for the suite's summary (test-artifacts/figures.log):
// passing tests' output is not shown.
void report_figure(const std::string& line);

}  // namespace corvane::testing_support
