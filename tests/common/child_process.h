#pragma once
// Runs a program (usually this test program again, in one of its scenarios) and collects what it did.
#include <windows.h>

#include <string>
#include <vector>

namespace corvane::testing_support {

struct ChildResult {
  DWORD exit_code = 0;
  bool timed_out = false;
  std::string out;
  std::string err;
  // stdout split into lines, without line ends.
  std::vector<std::string> lines() const;
};

ChildResult run_child(const std::wstring& command_line, DWORD timeout_ms = 60000);

// Runs this program with "--scenario <name> [arguments]".
ChildResult run_scenario(const std::string& name, const std::string& arguments = "",
                         DWORD timeout_ms = 60000);

std::wstring this_program();

}  // namespace corvane::testing_support
