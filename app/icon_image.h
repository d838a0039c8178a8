#pragma once
// Turning a PNG into the bits CreateIcon takes.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace corvane {

struct RgbaImage {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  // 8-bit straight R, G, B, A, rows top to bottom.
  std::vector<std::uint8_t> pixels;
};

// Any PNG, converted to 8-bit RGBA; none when the data does not decode or its sizes disagree.
std::optional<RgbaImage> decode_png_rgba(std::span<const std::uint8_t> png);

// Swaps red and blue in place (the pixels become B, G, R, A) and returns the AND mask: 1 bit per
// pixel, rows padded to 16 bits, set where the pixel is fully transparent.
std::vector<std::uint8_t> to_icon_bits(RgbaImage& image);

}  // namespace corvane
