#pragma once
#include <string_view>

namespace corvane {

// Exit status of a fatal stop (the value abort() would give).
inline constexpr unsigned kFatalExitCode = 3;

// For conditions ordinary operation cannot produce: writes the message and a line feed to the standard
// error stream, flushes every stream and ends the process at once. Never shows a dialog.
[[noreturn]] void fatal(std::string_view message) noexcept;

// The normal end: flushes buffered output and ends the process with the code.
[[noreturn]] void end_process(int exit_code) noexcept;

}  // namespace corvane
