#pragma once
#include <cstdint>
#include <string_view>

namespace corvane {

// Why the main window could not be created: where, and the thread's last error as an HRESULT.
struct WindowCreationError {
  std::string_view file;
  unsigned line = 0;
  std::int32_t code = 0;
};

// The HRESULT form of a Win32 error: zero and negative values unchanged, others in FACILITY_WIN32.
constexpr std::int32_t hresult_from_win32(std::uint32_t error) {
  const auto e = static_cast<std::int32_t>(error);
  return e <= 0 ? e : static_cast<std::int32_t>(0x80070000u | (error & 0xFFFFu));
}

}  // namespace corvane
