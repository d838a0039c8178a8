#pragma once
// Scale factors and the conversions between logical and physical pixels. Pure arithmetic.
#include <cstdint>
#include <variant>

namespace corvane {

struct PhysicalSize {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  bool operator==(const PhysicalSize&) const = default;
};

struct PhysicalPosition {
  std::int32_t x = 0;
  std::int32_t y = 0;
  bool operator==(const PhysicalPosition&) const = default;
};

struct LogicalSize {
  double width = 0;
  double height = 0;
  bool operator==(const LogicalSize&) const = default;
};

// A physical size before rounding, for clamping against limits.
struct UnroundedPhysicalSize {
  double width = 0;
  double height = 0;
  bool operator==(const UnroundedPhysicalSize&) const = default;
};

// A size or a single length as a caller gave it: logical (scales with the DPI) or physical.
using Size = std::variant<LogicalSize, PhysicalSize>;
struct LogicalLength {
  double value;
};
struct PhysicalLength {
  std::int32_t value;
};
using Length = std::variant<LogicalLength, PhysicalLength>;

constexpr double scale_from_dpi(std::uint32_t dpi) {
  return dpi / 96.0;
}

// Positive and normal: not zero, subnormal, infinite or NaN, and the sign bit clear.
bool validate_scale_factor(double scale_factor);

// Ends the process when the factor fails validate_scale_factor.
void check_scale_factor(double scale_factor);

// Round to nearest, halves away from zero, then limited to the target type; NaN gives 0.
std::uint32_t round_to_u32(double value);

// Logical to physical: checks the factor, multiplies, rounds and limits.
std::uint32_t to_physical_u32(double logical, double scale_factor);
// A length as physical u32: a physical value is only limited, not scaled.
std::uint32_t to_physical_u32(const Length& length, double scale_factor);
// Physical width and height, not yet rounded.
UnroundedPhysicalSize to_unrounded_physical(const Size& size, double scale_factor);

// Physical to logical: the integers divided by the factor.
LogicalSize to_logical(PhysicalSize size, double scale_factor);

}  // namespace corvane
