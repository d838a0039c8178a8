#pragma once
// An HRESULT as the logs and the tests write it: 0x and eight upper-case hex digits.
#include <windows.h>

#include <cstdio>
#include <string>

namespace corvane::testing_support {

inline std::string hex(HRESULT hr) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "0x%08lX", static_cast<unsigned long>(hr));
  return buffer;
}

}  // namespace corvane::testing_support
