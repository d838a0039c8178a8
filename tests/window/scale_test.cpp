#include "window/scale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tests/common/child_process.h"
#include "tests/common/scenario_main.h"

namespace corvane {
namespace {

struct ScaleCase {
  double scale;
  bool valid;
};

class ValidateScaleFactor : public testing::TestWithParam<ScaleCase> {};

TEST_P(ValidateScaleFactor, AcceptsOnlyPositiveNormalNumbers) {
  EXPECT_EQ(validate_scale_factor(GetParam().scale), GetParam().valid) << GetParam().scale;
}

INSTANTIATE_TEST_SUITE_P(Cases, ValidateScaleFactor,
                         testing::Values(ScaleCase{1.0, true}, ScaleCase{1.25, true}, ScaleCase{2.0, true},
                                         ScaleCase{std::numeric_limits<double>::min(), true},
                                         ScaleCase{std::numeric_limits<double>::max(), true},
                                         ScaleCase{0.0, false}, ScaleCase{-0.0, false},
                                         ScaleCase{-1.0, false},
                                         ScaleCase{std::numeric_limits<double>::infinity(), false},
                                         ScaleCase{-std::numeric_limits<double>::infinity(), false},
                                         ScaleCase{std::numeric_limits<double>::quiet_NaN(), false},
                                         ScaleCase{std::numeric_limits<double>::denorm_min(), false},
                                         ScaleCase{std::numeric_limits<double>::min() / 2, false}));

struct ConversionCase {
  double logical;
  std::uint32_t dpi;
  std::uint32_t physical_u32;
};

class LogicalToPhysical : public testing::TestWithParam<ConversionCase> {};

TEST_P(LogicalToPhysical, RoundsHalvesAwayFromZeroAndSaturates) {
  const ConversionCase& c = GetParam();
  EXPECT_EQ(to_physical_u32(c.logical, scale_from_dpi(c.dpi)), c.physical_u32);
}

INSTANTIATE_TEST_SUITE_P(Cases, LogicalToPhysical,
                         testing::Values(ConversionCase{1280, 120, 1600}, ConversionCase{820, 144, 1230},
                                         ConversionCase{360.5, 96, 361}, ConversionCase{2.5, 96, 3},
                                         ConversionCase{-2.5, 96, 0}, ConversionCase{-10, 144, 0},
                                         ConversionCase{3e9, 192, 4294967295u}, ConversionCase{-3e9, 96, 0},
                                         ConversionCase{std::numeric_limits<double>::quiet_NaN(), 96, 0},
                                         ConversionCase{std::numeric_limits<double>::infinity(), 96,
                                                        4294967295u}));

TEST(Conversions, TaggedSizesAndLengths) {
  EXPECT_EQ(to_physical_u32(Length{PhysicalLength{-5}}, 2.0), 0u);
  EXPECT_EQ(to_physical_u32(Length{PhysicalLength{560}}, 2.0), 560u);
  EXPECT_EQ(to_physical_u32(Length{LogicalLength{560}}, 1.5), 840u);
  EXPECT_EQ(to_unrounded_physical(Size{LogicalSize{1280.5, 1}}, 1.25),
            (UnroundedPhysicalSize{1600.625, 1.25}));
  const LogicalSize logical = to_logical(PhysicalSize{1601, 1026}, 1.25);
  EXPECT_DOUBLE_EQ(logical.width, 1280.8);
  EXPECT_DOUBLE_EQ(logical.height, 820.8);
}

CORVANE_SCENARIO(convert_with_scale) {
  std::printf("%u\n", to_physical_u32(10.0, std::strtod(arguments.at(0).c_str(), nullptr)));
  return 0;
}

class InvalidScaleFactor : public testing::TestWithParam<const char*> {};

TEST_P(InvalidScaleFactor, EndsTheProcessWhenConverting) {
  const auto r = testing_support::run_scenario("convert_with_scale", GetParam());
  EXPECT_EQ(r.exit_code, 3u);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "assertion failed: validate_scale_factor(scale_factor)\r\n");
}

INSTANTIATE_TEST_SUITE_P(Factors, InvalidScaleFactor, testing::Values("0", "-1", "inf", "nan", "4e-320"));

}  // namespace
}  // namespace corvane
