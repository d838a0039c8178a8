#pragma once
// Monotonic time as the loop and its wait thread exchange it: whole seconds and nanoseconds.
#include <compare>
#include <cstdint>

namespace corvane {

struct Instant {
  std::uint64_t seconds = 0;
  std::uint32_t nanoseconds = 0;

  auto operator<=>(const Instant&) const = default;
};

// The length of time from earlier to later, zero when later is not after earlier.
Instant time_between(Instant earlier, Instant later);

// Now, from QueryPerformanceCounter.
Instant now();

// How long the wait thread may sleep for a deadline this far away: milliseconds rounded up, capped
// at 0xFFFFFFFF, minus one so that it wakes before the deadline (the loop spins out the rest);
// 0xFFFFFFFE when the computation overflows.
std::uint32_t wait_timeout_ms(Instant remaining);

}  // namespace corvane
