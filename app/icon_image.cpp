#include "app/icon_image.h"

#include <png.h>

namespace corvane {

std::optional<RgbaImage> decode_png_rgba(std::span<const std::uint8_t> png) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, png.data(), png.size())) return std::nullopt;
  image.format = PNG_FORMAT_RGBA;
  // A damaged header must not turn into a huge allocation.
  constexpr std::uint64_t kMaxBytes = 64u << 20;
  if (std::uint64_t{PNG_IMAGE_SIZE(image)} > kMaxBytes) {
    png_image_free(&image);
    return std::nullopt;
  }
  RgbaImage out{image.width, image.height, std::vector<std::uint8_t>(PNG_IMAGE_SIZE(image))};
  if (!png_image_finish_read(&image, nullptr, out.pixels.data(), 0, nullptr)) {
    png_image_free(&image);
    return std::nullopt;
  }
  const std::uint64_t pixel_count = std::uint64_t{out.width} * out.height;
  if (out.width == 0 || out.height == 0 || out.pixels.size() % 4 != 0 ||
      out.pixels.size() / 4 != pixel_count) {
    return std::nullopt;
  }
  return out;
}

std::vector<std::uint8_t> to_icon_bits(RgbaImage& image) {
  const size_t row_bytes = (image.width + 15) / 16 * 2;
  std::vector<std::uint8_t> mask(row_bytes * image.height, 0);
  for (std::uint32_t y = 0; y < image.height; ++y) {
    for (std::uint32_t x = 0; x < image.width; ++x) {
      std::uint8_t* pixel = &image.pixels[(size_t{y} * image.width + x) * 4];
      if (pixel[3] == 0) mask[y * row_bytes + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
      std::swap(pixel[0], pixel[2]);
    }
  }
  return mask;
}

}  // namespace corvane
