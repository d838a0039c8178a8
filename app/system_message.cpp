#include <windows.h>

#include "app/failure_text.h"
#include "support/text.h"

namespace corvane {

SystemMessage system_message(std::int32_t code) {
  DWORD flags = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
  HMODULE module = nullptr;
  auto id = static_cast<DWORD>(code);
  constexpr DWORD kNtFacilityBit = 0x10000000;
  if (id & kNtFacilityBit) {
    id &= ~kNtFacilityBit;
    flags |= FORMAT_MESSAGE_FROM_HMODULE;
    module = GetModuleHandleW(L"NTDLL.DLL");
  }
  wchar_t buffer[2048];
  const DWORD length = FormatMessageW(flags, module, id, 0, buffer, 2048, nullptr);
  if (length == 0) return {SystemMessage::FormatFailed{GetLastError()}};
  auto text = to_utf8_strict(std::wstring_view(buffer, length));
  if (!text) return {SystemMessage::InvalidUtf16{}};
  while (!text->empty() && std::string_view(" \t\n\v\f\r").find(text->back()) != std::string_view::npos) {
    text->pop_back();
  }
  return {std::move(*text)};
}

std::string system_error_text(std::int32_t code) {
  return system_error_text(code, system_message(code));
}

}  // namespace corvane
