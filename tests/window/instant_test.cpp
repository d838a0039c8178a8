#include "window/instant.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

struct TimeoutCase {
  Instant remaining;
  std::uint32_t timeout;
};

class WaitTimeout : public testing::TestWithParam<TimeoutCase> {};

TEST_P(WaitTimeout, RoundsUpCapsAndWakesOneMillisecondEarly) {
  EXPECT_EQ(wait_timeout_ms(GetParam().remaining), GetParam().timeout);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WaitTimeout,
    testing::Values(TimeoutCase{{0, 0}, 0}, TimeoutCase{{0, 1}, 0},                // under a millisecond
                    TimeoutCase{{0, 999'999}, 0}, TimeoutCase{{0, 1'000'000}, 0},  // exactly one
                    TimeoutCase{{0, 1'000'001}, 1},                                // a remainder rounds up
                    TimeoutCase{{1, 500'000'000}, 1499}, TimeoutCase{{2, 0}, 1999},
                    TimeoutCase{{4'294'967, 295'000'000}, 0xFFFFFFFE},  // 0xFFFFFFFF ms
                    TimeoutCase{{4'294'968, 0}, 0xFFFFFFFE},            // capped
                    TimeoutCase{{18'446'744'073'709'551ull, 615'000'000}, 0xFFFFFFFE},
                    TimeoutCase{{18'446'744'073'709'552ull, 0}, 0xFFFFFFFE},  // seconds overflow
                    TimeoutCase{{~0ull, 999'999'999}, 0xFFFFFFFE}));

TEST(Instant, DifferencesAndNow) {
  EXPECT_EQ(time_between({5, 100}, {7, 50}), (Instant{1, 999'999'950}));
  EXPECT_EQ(time_between({7, 50}, {5, 100}), (Instant{0, 0}));
  const Instant earlier = now();
  const Instant later = now();
  EXPECT_LE(earlier, later);
}

}  // namespace
}  // namespace corvane
