#include "app/window_icon.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/icon_image.h"

namespace corvane {
namespace {

std::span<const std::uint8_t> embedded() {
  return {WindowIconPng, WindowIconPngSize};
}

// The icon's colour and mask bitmaps, read back as the system stores them.
struct IconBits {
  int width = 0, height = 0;
  std::vector<std::uint8_t> bgra;
  std::vector<std::uint8_t> mask;  // 1 bit per pixel, rows padded to 32 bits
};

IconBits read_back(HICON icon) {
  ICONINFO info{};
  EXPECT_TRUE(GetIconInfo(icon, &info));
  IconBits bits;
  BITMAP bm{};
  GetObjectW(info.hbmColor, sizeof bm, &bm);
  bits.width = bm.bmWidth;
  bits.height = bm.bmHeight;
  HDC dc = GetDC(nullptr);
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), bm.bmWidth, -bm.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  bits.bgra.resize(size_t(bm.bmWidth) * bm.bmHeight * 4);
  EXPECT_EQ(GetDIBits(dc, info.hbmColor, 0, bm.bmHeight, bits.bgra.data(), &bi, DIB_RGB_COLORS), bm.bmHeight);
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colours[2];
  } mono{};
  mono.header = {sizeof(BITMAPINFOHEADER), bm.bmWidth, -bm.bmHeight, 1, 1, BI_RGB, 0, 0, 0, 0, 0};
  bits.mask.resize(size_t((bm.bmWidth + 31) / 32 * 4) * bm.bmHeight);
  EXPECT_EQ(GetDIBits(dc, info.hbmMask, 0, bm.bmHeight, bits.mask.data(),
                      reinterpret_cast<BITMAPINFO*>(&mono), DIB_RGB_COLORS),
            bm.bmHeight);
  ReleaseDC(nullptr, dc);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return bits;
}

TEST(WindowIcon, EmbeddedPngIsThe192PixelRgbaImage) {
  const auto image = decode_png_rgba(embedded());
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 192u);
  EXPECT_EQ(image->height, 192u);
  // Fully transparent outside the rounded corners, opaque in the middle, partial alpha on the edges.
  const auto alpha = [&](int x, int y) { return image->pixels[(size_t(y) * 192 + x) * 4 + 3]; };
  EXPECT_EQ(alpha(0, 0), 0);
  EXPECT_EQ(alpha(96, 96), 255);
  int partial = 0;
  for (size_t i = 3; i < image->pixels.size(); i += 4)
    partial += image->pixels[i] > 0 && image->pixels[i] < 255;
  EXPECT_GT(partial, 0);
}

TEST(WindowIcon, IconPixelsEqualThePngWithRedAndBlueSwapped) {
  const SharedIcon icon = load_window_icon();
  ASSERT_TRUE(icon && *icon);
  const IconBits bits = read_back(icon->get());
  ASSERT_EQ(bits.width, 192);
  ASSERT_EQ(bits.height, 192);
  const auto png = decode_png_rgba(embedded());
  ASSERT_TRUE(png);
  int mismatched = 0, mask_wrong = 0;
  for (int y = 0; y < 192; ++y) {
    for (int x = 0; x < 192; ++x) {
      const std::uint8_t* rgba = &png->pixels[(size_t(y) * 192 + x) * 4];
      const std::uint8_t* bgra = &bits.bgra[(size_t(y) * 192 + x) * 4];
      mismatched += bgra[0] != rgba[2] || bgra[1] != rgba[1] || bgra[2] != rgba[0] || bgra[3] != rgba[3];
      const bool masked = bits.mask[size_t(y) * 24 + x / 8] & (0x80 >> (x % 8));
      mask_wrong += masked != (rgba[3] == 0);
    }
  }
  EXPECT_EQ(mismatched, 0);
  EXPECT_EQ(mask_wrong, 0);
}

TEST(WindowIcon, DamagedDataGivesNoIcon) {
  const std::vector<std::uint8_t> good(embedded().begin(), embedded().end());
  std::vector<std::uint8_t> corrupt_pixels = good;
  corrupt_pixels[good.size() / 2] ^= 0x5A;  // inside the image data: its checksum no longer matches
  std::vector<std::uint8_t> huge_header = good;
  huge_header[16] = 0x7F;  // width of about 2 billion pixels
  const std::vector<std::vector<std::uint8_t>> damaged = {
      corrupt_pixels, huge_header, std::vector<std::uint8_t>(good.begin(), good.begin() + 100), {}};
  for (const auto& data : damaged) EXPECT_FALSE(load_window_icon(data)) << data.size() << " bytes";
}

TEST(IconBits, SwapsRedAndBlueAndMasksFullyTransparentPixels) {
  // 17 pixels wide, so each mask row needs two 16-bit words.
  RgbaImage image{17, 2, std::vector<std::uint8_t>(17 * 2 * 4, 0)};
  for (size_t i = 0; i < 17 * 2; ++i) {
    std::uint8_t* p = &image.pixels[i * 4];
    p[0] = 10, p[1] = 20, p[2] = 30;
    p[3] = (i == 0 || i == 16 || i == 18) ? 0 : (i == 1 ? 1 : 255);
  }
  const std::vector<std::uint8_t> mask = to_icon_bits(image);
  EXPECT_EQ(mask, (std::vector<std::uint8_t>{0x80, 0x00, 0x80, 0x00, 0x40, 0x00, 0x00, 0x00}));
  EXPECT_EQ(image.pixels[0], 30);
  EXPECT_EQ(image.pixels[1], 20);
  EXPECT_EQ(image.pixels[2], 10);
}

}  // namespace
}  // namespace corvane
