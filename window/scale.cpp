#include "window/scale.h"

#include <bit>
#include <cmath>

#include "support/fatal.h"
#include "support/overloaded.h"

namespace corvane {
namespace {

double round_half_away(double value) {
  return std::round(value);
}

}  // namespace

bool validate_scale_factor(double scale_factor) {
  const auto bits = std::bit_cast<std::uint64_t>(scale_factor);
  const std::uint64_t exponent = (bits >> 52) & 0x7FF;
  const bool negative = bits >> 63;
  return !negative && exponent != 0 && exponent != 0x7FF;
}

void check_scale_factor(double scale_factor) {
  if (!validate_scale_factor(scale_factor)) fatal("assertion failed: validate_scale_factor(scale_factor)");
}

std::uint32_t round_to_u32(double value) {
  if (std::isnan(value)) return 0;
  const double r = round_half_away(value);
  if (r <= 0) return 0;
  if (r >= 4294967295.0) return 4294967295u;
  return static_cast<std::uint32_t>(r);
}

std::uint32_t to_physical_u32(double logical, double scale_factor) {
  check_scale_factor(scale_factor);
  return round_to_u32(logical * scale_factor);
}

std::uint32_t to_physical_u32(const Length& length, double scale_factor) {
  return std::visit(Overloaded{[&](const LogicalLength& l) { return to_physical_u32(l.value, scale_factor); },
                               [](const PhysicalLength& l) { return round_to_u32(l.value); }},
                    length);
}

UnroundedPhysicalSize to_unrounded_physical(const Size& size, double scale_factor) {
  return std::visit(
      Overloaded{[&](const LogicalSize& s) {
                   check_scale_factor(scale_factor);
                   return UnroundedPhysicalSize{s.width * scale_factor, s.height * scale_factor};
                 },
                 [](const PhysicalSize& s) {
                   return UnroundedPhysicalSize{double(s.width), double(s.height)};
                 }},
      size);
}

LogicalSize to_logical(PhysicalSize size, double scale_factor) {
  check_scale_factor(scale_factor);
  return {size.width / scale_factor, size.height / scale_factor};
}

}  // namespace corvane
