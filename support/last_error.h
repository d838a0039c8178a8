#pragma once
#include <windows.h>

namespace corvane {

// For calls whose failure does not change the program's course: the thread's error is read and
// dropped, so that it is never taken later for the error of another call.
inline void ignore_last_error() {
  static_cast<void>(GetLastError());
}

}  // namespace corvane
