#pragma once
#include <windows.h>

namespace corvane {

// GetProcAddress's result as the function type it really has. The detour through void(*)() is the
// cast GCC accepts between unrelated function types without a warning.
template <typename F>
F function_cast(FARPROC proc) noexcept {
  return reinterpret_cast<F>(reinterpret_cast<void (*)()>(proc));
}

}  // namespace corvane
