#pragma once
#include <cstdint>
#include <string_view>

#include "support/hresult.h"

namespace corvane {

// Why the main window could not be created: where, and the thread's last error as an HRESULT.
struct WindowCreationError {
  std::string_view file;
  unsigned line = 0;
  std::int32_t code = 0;
};

}  // namespace corvane
