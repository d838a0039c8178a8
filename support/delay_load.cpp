#include "support/delay_load.h"

#include <windows.h>

namespace corvane {

void load_delayed_library(const wchar_t* dll) noexcept {
  static_cast<void>(LoadLibraryW(dll));
}

}  // namespace corvane
