#include "tests/common/session_changes.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/common/process_figures.h"

namespace corvane::testing_support {

void require_label(const char* label) {
  if (running_under_wine()) return;
  const char* given = std::getenv("CORVANE_TEST_LABEL");
  if (given && std::string(given) == label) return;
  std::fprintf(
      stderr,
      "This test would change the Windows session it runs in (%s): it runs under Wine, or on Windows only as the CTest entry labelled %s, never by itself.\n",
      label, label);
  std::fflush(stderr);
  std::_Exit(3);
}

}  // namespace corvane::testing_support
