#pragma once
#include <cstdint>

namespace corvane {

struct WindowsVersion {
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  std::uint16_t service_pack_major = 0;
  std::uint32_t build = 0;
};

// Read once per process with RtlGetVersion, which, unlike GetVersionEx, is not lied to.
const WindowsVersion& windows_version();

// Windows 10 1809 (build 17763) and later, Windows 11 included.
constexpr bool dark_mode_supported(const WindowsVersion& v) {
  return v.major == 10 && v.minor == 0 && v.build >= 17763;
}

inline bool dark_mode_supported() {
  return dark_mode_supported(windows_version());
}

}  // namespace corvane
