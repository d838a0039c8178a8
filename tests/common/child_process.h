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

// Extra environment variables for a child, "NAME=value" each.
using Environment = std::vector<std::wstring>;

ChildResult run_child(const std::wstring& command_line, DWORD timeout_ms = 60000,
                      const Environment& environment = {});

// Runs this program with "--scenario <name> [arguments]".
ChildResult run_scenario(const std::string& name, const std::string& arguments = "", DWORD timeout_ms = 60000,
                         const Environment& environment = {});

// This process's environment with the extra variables added, as CreateProcessW takes it.
std::wstring environment_block(const Environment& extra);

std::wstring this_program();

}  // namespace corvane::testing_support
