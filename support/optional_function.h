#pragma once
// A system function that older Windows versions lack, looked up at run time.
#include <windows.h>

namespace corvane {

// LoadLibraryW (the library is never freed), then GetProcAddress; nullptr when either fails.
FARPROC load_optional_function(const wchar_t* library, const char* name);

}  // namespace corvane
