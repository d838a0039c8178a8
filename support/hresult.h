#pragma once
// HRESULTs made from Win32 errors. Free of the Windows headers, for the error texts' tests.
#include <cstdint>

namespace corvane {

// The HRESULT form of a Win32 error: zero and negative values unchanged, others in FACILITY_WIN32.
constexpr std::int32_t hresult_from_win32(std::uint32_t error) {
  const auto e = static_cast<std::int32_t>(error);
  return e <= 0 ? e : static_cast<std::int32_t>(0x80070000u | (error & 0xFFFFu));
}

}  // namespace corvane
