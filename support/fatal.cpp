#include "support/fatal.h"

#include <windows.h>

#include <cstdio>

namespace corvane {

void fatal(std::string_view message) noexcept {
  std::fwrite(message.data(), 1, message.size(), stderr);
  std::fputc('\n', stderr);
  std::fflush(nullptr);
  // Not abort(): the C runtime of a GUI program may answer it with a message box.
  TerminateProcess(GetCurrentProcess(), kFatalExitCode);
  for (;;) Sleep(INFINITE);
}

void end_process(int exit_code) noexcept {
  std::fflush(nullptr);
  ExitProcess(static_cast<UINT>(exit_code));
}

}  // namespace corvane
