#include "window/window_size.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

struct InitialSizeCase {
  std::uint32_t dpi;
  std::optional<Size> inner;
  SizeConstraints constraints;
  PhysicalSize expected;
};

class InitialClientSize : public testing::TestWithParam<InitialSizeCase> {};

TEST_P(InitialClientSize, ScalesClampsAndRounds) {
  const InitialSizeCase& c = GetParam();
  EXPECT_EQ(initial_client_size(c.inner, c.constraints, scale_from_dpi(c.dpi)), c.expected);
}

const SizeConstraints kMainMinimum{LogicalLength{360}, LogicalLength{560}, std::nullopt, std::nullopt};

INSTANTIATE_TEST_SUITE_P(
    Cases, InitialClientSize,
    testing::Values(InitialSizeCase{96, LogicalSize{1280, 820}, kMainMinimum, {1280, 820}},
                    InitialSizeCase{120, LogicalSize{1280, 820}, kMainMinimum, {1600, 1025}},
                    InitialSizeCase{144, LogicalSize{1280, 820}, kMainMinimum, {1920, 1230}},
                    InitialSizeCase{144, LogicalSize{100, 100}, kMainMinimum, {540, 840}},  // never below
                    InitialSizeCase{96, std::nullopt, {}, {800, 600}},
                    InitialSizeCase{144, PhysicalSize{640, 480}, {}, {640, 480}},
                    InitialSizeCase{96,
                                    LogicalSize{2000, 2000},
                                    {std::nullopt, std::nullopt, PhysicalLength{1000}, LogicalLength{900.4}},
                                    {1000, 900}},
                    InitialSizeCase{96,
                                    LogicalSize{10, 10},
                                    {PhysicalLength{500}, std::nullopt, PhysicalLength{300}, std::nullopt},
                                    {500, 10}},  // a minimum above the maximum wins
                    InitialSizeCase{96, LogicalSize{3e9, -5}, {}, {2147483647, 0}},
                    InitialSizeCase{96, LogicalSize{100.5, 99.5}, {}, {101, 100}}));

TEST(TrackingClientSize, TakesTheSystemValueForAMissingDimension) {
  EXPECT_EQ(tracking_client_size(LogicalLength{360}, LogicalLength{560}, 1.5, 136, 39),
            (PhysicalSize{540, 840}));
  EXPECT_EQ(tracking_client_size(LogicalLength{360}, std::nullopt, 1.0, 136, 39), (PhysicalSize{360, 39}));
  EXPECT_EQ(tracking_client_size(std::nullopt, std::nullopt, 1.0, 136, 39), std::nullopt);
}

struct ScaleChangeCase {
  PhysicalSize old_size;
  double old_scale, new_scale;
  bool resize_allowed, drag_full_windows;
  PhysicalSize expected;
};

class ClientSizeForNewScale : public testing::TestWithParam<ScaleChangeCase> {};

TEST_P(ClientSizeForNewScale, KeepsTheLogicalSize) {
  const ScaleChangeCase& c = GetParam();
  EXPECT_EQ(
      client_size_for_new_scale(c.old_size, c.old_scale, c.new_scale, c.resize_allowed, c.drag_full_windows),
      c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ClientSizeForNewScale,
                         testing::Values(ScaleChangeCase{{1280, 820}, 1.0, 1.5, true, true, {1920, 1230}},
                                         ScaleChangeCase{{1920, 1230}, 1.5, 1.0, true, true, {1280, 820}},
                                         ScaleChangeCase{{1601, 1026}, 1.25, 1.0, true, true, {1281, 821}},
                                         ScaleChangeCase{{1280, 820}, 1.0, 1.5, false, true, {1280, 820}},
                                         ScaleChangeCase{{1280, 820}, 1.0, 1.5, true, false, {1280, 820}}));

TEST(Placement, KeepsTheCursorAtItsPlaceAlongTheTitleBar) {
  // Suggested 1000 wide with the cursor a quarter in; the new rectangle is 1500 wide.
  const RECT moved = keep_cursor_position(RECT{0, 10, 1500, 910}, 350, RECT{100, 10, 1100, 610});
  EXPECT_EQ(moved.left, 350 - 375);
  EXPECT_EQ(moved.right - moved.left, 1500);
  EXPECT_EQ(moved.top, 10);
  // A degenerate suggestion gives NaN or infinity, which must not turn into garbage.
  const RECT degenerate = keep_cursor_position(RECT{0, 0, 100, 100}, 100, RECT{100, 0, 100, 100});
  EXPECT_EQ(degenerate.left, 100);
}

TEST(Placement, NudgesTowardsTheBorderingMonitor) {
  const RECT left{0, 0, 1920, 1080}, right{1920, 0, 3840, 1080}, below{0, 1080, 1920, 2160};
  EXPECT_EQ(nudge_step(right, left).x, -1);
  EXPECT_EQ(nudge_step(left, right).x, 1);
  EXPECT_EQ(nudge_step(left, below).y, 1);
  EXPECT_EQ(nudge_step(below, left).y, -1);
  const POINT none = nudge_step(left, RECT{5000, 5000, 6000, 6000});
  EXPECT_EQ(none.x, 0);
  EXPECT_EQ(none.y, 0);
}

}  // namespace
}  // namespace corvane
