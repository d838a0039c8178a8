#include "support/optional_function.h"

namespace corvane {

FARPROC load_optional_function(const wchar_t* library, const char* name) {
  HMODULE module = LoadLibraryW(library);
  return module ? GetProcAddress(module, name) : nullptr;
}

}  // namespace corvane
