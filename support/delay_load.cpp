#include "support/delay_load.h"

#include <windows.h>

#include <string>

#include "support/fatal.h"

#if defined(__MINGW32__)
#include <delayimp.h>
#endif

namespace corvane {

void load_delayed_library(const wchar_t* dll) noexcept {
  static_cast<void>(LoadLibraryW(dll));
}

}  // namespace corvane

#if defined(__MINGW32__)
namespace {

std::string function_name(const DelayLoadProc& function) {
  if (function.fImportByName) return function.szProcName ? function.szProcName : "?";
  // Appended rather than "#" + to_string(...): GCC 12 at -O3 warns wrongly (-Wrestrict) on that form.
  std::string name = "#";
  name += std::to_string(function.dwOrdinal);
  return name;
}

// Called by MinGW's delay-load helper when a library or a function cannot be found. Returning would
// make the helper raise an exception inside whichever callback made the call; the program stops here
// instead, saying what is missing.
FARPROC WINAPI delay_load_failed(unsigned notice, PDelayLoadInfo info) noexcept {
  const std::string dll = info->szDll ? info->szDll : "?";
  const std::string function = function_name(info->dlp);
  const std::string error = std::to_string(info->dwLastError);
  if (notice == dliFailLoadLib) {
    corvane::fatal("A system library is missing: " + dll + " could not be loaded for " + function +
                   " (error " + error + ").");
  }
  corvane::fatal("A system function is missing: " + dll + " has no " + function + " (error " + error + ").");
}

}  // namespace

// The helper reads this hook; cmake/delay_load.cmake makes the linker take this definition rather than
// the runtime library's empty one.
PfnDliHook __pfnDliFailureHook2 = delay_load_failed;
#endif
