#include "app/error_box.h"

#include <windows.h>

#include "app/config.h"
#include "support/text.h"

namespace corvane {

void show_error_box(std::string_view text) {
  const std::wstring message = to_utf16(text);
  const std::wstring caption = to_utf16(AppConfig::ProductName);
  MessageBoxW(nullptr, message.c_str(), caption.c_str(), MB_ICONERROR);
}

}  // namespace corvane
