#pragma once
// How Win32 reads a drive path given without the verbatim prefix, written from Windows' documented
// naming rules and RtlIsDosDeviceName's behaviour and kept apart from the program's code, so that the
// download fuzzer can check that dropping the prefix never changes which file is written.
#include <string>
#include <string_view>

namespace corvane::fuzz {

// Longest path Win32's file functions take without the prefix: MAX_PATH less the terminating NUL.
inline constexpr size_t kLongestPlainPath = 259;

// What Win32 makes of the path before opening it: "/" turns into "\", runs of separators collapse,
// "." and ".." are resolved, trailing dots and spaces leave every component.
std::wstring win32_normalised(std::wstring_view path);

// Some component, read up to its first dot or colon and without trailing spaces, is a DOS device name
// (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9, and COM or LPT with a superscript 1, 2 or 3).
bool names_device(std::wstring_view path);

// A character after the drive that Win32 refuses in a name or reads otherwise (":" opens a stream).
bool has_invalid_name_character(std::wstring_view path_after_drive);

}  // namespace corvane::fuzz
