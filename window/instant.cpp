#include "window/instant.h"

#include <windows.h>

#include <limits>

namespace corvane {
namespace {

constexpr std::uint32_t kNanosPerSecond = 1'000'000'000;

}  // namespace

Instant time_between(Instant earlier, Instant later) {
  if (later <= earlier) return {};
  if (later.nanoseconds >= earlier.nanoseconds) {
    return {later.seconds - earlier.seconds, later.nanoseconds - earlier.nanoseconds};
  }
  return {later.seconds - earlier.seconds - 1, later.nanoseconds + kNanosPerSecond - earlier.nanoseconds};
}

Instant now() {
  static const std::uint64_t frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<std::uint64_t>(f.QuadPart);
  }();
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  const auto ticks = static_cast<std::uint64_t>(counter.QuadPart);
  const std::uint64_t remainder = ticks % frequency;
  // remainder < frequency, so the product stays far below 2^64 for any real counter frequency.
  return {ticks / frequency, static_cast<std::uint32_t>(remainder * kNanosPerSecond / frequency)};
}

std::uint32_t wait_timeout_ms(Instant remaining) {
  constexpr std::uint32_t kOverflow = 0xFFFFFFFE;
  constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
  if (remaining.seconds > kMax / 1000) return kOverflow;
  std::uint64_t ms = remaining.seconds * 1000;
  const std::uint64_t whole = remaining.nanoseconds / 1'000'000;
  const bool partial = remaining.nanoseconds % 1'000'000 != 0;
  if (ms > kMax - whole - (partial ? 1 : 0)) return kOverflow;
  ms += whole + (partial ? 1 : 0);
  const std::uint64_t capped = ms > 0xFFFFFFFFu ? 0xFFFFFFFFu : ms;
  return static_cast<std::uint32_t>(capped == 0 ? 0 : capped - 1);
}

}  // namespace corvane
