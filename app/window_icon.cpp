#include "app/window_icon.h"

#include "app/icon_image.h"

namespace corvane {

SharedIcon load_window_icon(std::span<const std::uint8_t> png) {
  std::optional<RgbaImage> image = decode_png_rgba(png);
  if (!image) return nullptr;
  const std::vector<std::uint8_t> mask = to_icon_bits(*image);
  UniqueIcon icon(CreateIcon(nullptr, static_cast<int>(image->width), static_cast<int>(image->height), 1, 32,
                             mask.data(), image->pixels.data()));
  if (!icon) return nullptr;
  return std::make_shared<const UniqueIcon>(std::move(icon));
}

}  // namespace corvane
