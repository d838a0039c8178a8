// Draws Corvane's icon (a white shopping-bag outline on a rounded blue square) at any size and writes
// the window icon PNG and the executable's multi-size .ico. Built for the host by make-icons.sh.
//
//   icongen write <window-png> <ico>   render and write both files
//   icongen check <window-png> <ico>   render and compare with the files' decoded pixels (exit 1 on a
//   difference)
//
// The shapes are signed distance fields sampled 8 x 8 times per pixel, so edges are anti-aliased and
// every size is drawn from the geometry rather than scaled from another size.
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kWindowIconSize = 192;
constexpr int kIcoSizes[] = {16, 24, 32, 48, 64, 128, 256};
constexpr int kSamples = 8;

struct Rgba {
  double r, g, b, a;
};

double rounded_box_distance(double x, double y, double cx, double cy, double half_w, double half_h,
                            double radius) {
  const double qx = std::fabs(x - cx) - half_w + radius;
  const double qy = std::fabs(y - cy) - half_h + radius;
  const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
  return outside + std::min(std::max(qx, qy), 0.0) - radius;
}

// Distance to the bag's outline: the body's rounded rectangle and the handle's upper half circle.
double bag_outline_distance(double x, double y) {
  const double body = std::fabs(rounded_box_distance(x, y, 0.5, 0.585, 0.215, 0.205, 0.055));
  const double cx = 0.5, cy = 0.38, r = 0.115;
  double handle = 1e9;
  if (y <= cy) {
    handle = std::fabs(std::hypot(x - cx, y - cy) - r);
  } else {
    // Below the centre the handle ends in the two points where it meets the body.
    handle = std::min(std::hypot(x - (cx - r), y - cy), std::hypot(x - (cx + r), y - cy));
  }
  return std::min(body, handle);
}

// The colour of one sample point in unit coordinates (0..1 across the icon).
Rgba sample(double x, double y) {
  if (rounded_box_distance(x, y, 0.5, 0.5, 0.5, 0.5, 0.21) > 0.0) return {0, 0, 0, 0};
  // Light blue at the top to a deeper blue at the bottom.
  const Rgba top{0.42, 0.76, 1.00, 1.0};
  const Rgba bottom{0.08, 0.33, 0.80, 1.0};
  Rgba c{top.r + (bottom.r - top.r) * y, top.g + (bottom.g - top.g) * y, top.b + (bottom.b - top.b) * y, 1.0};
  if (bag_outline_distance(x, y) <= 0.034) c = {1.0, 1.0, 1.0, 1.0};
  return c;
}

// Straight (not premultiplied) 8-bit RGBA, rows top to bottom.
std::vector<std::uint8_t> render(int size) {
  std::vector<std::uint8_t> pixels(static_cast<size_t>(size) * size * 4);
  for (int py = 0; py < size; ++py) {
    for (int px = 0; px < size; ++px) {
      double r = 0, g = 0, b = 0, a = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const Rgba c = sample((px + (sx + 0.5) / kSamples) / size, (py + (sy + 0.5) / kSamples) / size);
          r += c.r * c.a;
          g += c.g * c.a;
          b += c.b * c.a;
          a += c.a;
        }
      }
      std::uint8_t* out = &pixels[(static_cast<size_t>(py) * size + px) * 4];
      const double coverage = a / (kSamples * kSamples);
      const auto to_byte = [](double v) {
        return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0));
      };
      out[0] = a > 0 ? to_byte(r / a) : 0;
      out[1] = a > 0 ? to_byte(g / a) : 0;
      out[2] = a > 0 ? to_byte(b / a) : 0;
      out[3] = to_byte(coverage);
    }
  }
  return pixels;
}

void append_to_vector(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

// A PNG with IHDR, IDAT and IEND only: no ancillary chunk.
std::vector<std::uint8_t> encode_png(const std::vector<std::uint8_t>& pixels, int size) {
  std::vector<std::uint8_t> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    std::fprintf(stderr, "icongen: PNG encoding failed\n");
    std::exit(1);
  }
  png_set_write_fn(png, &out, append_to_vector, nullptr);
  png_set_compression_level(png, 9);
  png_set_compression_buffer_size(png, 4096);
  png_set_IHDR(png, info, size, size, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < size; ++y) {
    png_write_row(png, const_cast<png_bytep>(&pixels[static_cast<size_t>(y) * size * 4]));
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

bool decode_png(const std::uint8_t* data, size_t length, int expected_size,
                std::vector<std::uint8_t>& pixels) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, data, length)) return false;
  image.format = PNG_FORMAT_RGBA;
  if (static_cast<int>(image.width) != expected_size || static_cast<int>(image.height) != expected_size) {
    png_image_free(&image);
    return false;
  }
  pixels.assign(PNG_IMAGE_SIZE(image), 0);
  return png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr) != 0;
}

void put_u16(std::vector<std::uint8_t>& v, unsigned x) {
  v.push_back(static_cast<std::uint8_t>(x & 0xFF));
  v.push_back(static_cast<std::uint8_t>(x >> 8));
}

void put_u32(std::vector<std::uint8_t>& v, std::uint32_t x) {
  put_u16(v, x & 0xFFFF);
  put_u16(v, x >> 16);
}

// ICONDIR, then one 16-byte ICONDIRENTRY per image, then the PNG images themselves.
std::vector<std::uint8_t> build_ico(const std::vector<std::vector<std::uint8_t>>& pngs) {
  std::vector<std::uint8_t> ico;
  put_u16(ico, 0);
  put_u16(ico, 1);
  put_u16(ico, static_cast<unsigned>(pngs.size()));
  std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(pngs.size());
  for (size_t i = 0; i < pngs.size(); ++i) {
    const int size = kIcoSizes[i];
    ico.push_back(size >= 256 ? 0 : static_cast<std::uint8_t>(size));
    ico.push_back(size >= 256 ? 0 : static_cast<std::uint8_t>(size));
    ico.push_back(0);  // no palette
    ico.push_back(0);
    put_u16(ico, 1);   // planes
    put_u16(ico, 32);  // bits per pixel
    put_u32(ico, static_cast<std::uint32_t>(pngs[i].size()));
    put_u32(ico, offset);
    offset += static_cast<std::uint32_t>(pngs[i].size());
  }
  for (const auto& png : pngs) ico.insert(ico.end(), png.begin(), png.end());
  return ico;
}

bool read_file(const std::string& path, std::vector<std::uint8_t>& out) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  out.clear();
  std::uint8_t buf[65536];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) out.insert(out.end(), buf, buf + n);
  std::fclose(f);
  return true;
}

bool write_file(const std::string& path, const std::vector<std::uint8_t>& data) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(data.data(), 1, data.size(), f) == data.size();
  return std::fclose(f) == 0 && ok;
}

// Compares a committed image with a fresh rendering, pixel for pixel.
bool same_pixels(const std::uint8_t* png, size_t length, int size, const char* what) {
  std::vector<std::uint8_t> decoded;
  if (!decode_png(png, length, size, decoded)) {
    std::fprintf(stderr, "icongen: %s (%d px) does not decode as a %d x %d PNG\n", what, size, size, size);
    return false;
  }
  if (decoded != render(size)) {
    std::fprintf(stderr, "icongen: %s (%d px) differs from the generator's drawing\n", what, size);
    return false;
  }
  return true;
}

int check(const std::string& png_path, const std::string& ico_path) {
  std::vector<std::uint8_t> png, ico;
  if (!read_file(png_path, png) || !read_file(ico_path, ico)) {
    std::fprintf(stderr, "icongen: cannot read %s or %s\n", png_path.c_str(), ico_path.c_str());
    return 1;
  }
  bool ok = same_pixels(png.data(), png.size(), kWindowIconSize, png_path.c_str());
  const size_t count = std::size(kIcoSizes);
  if (ico.size() < 6 + 16 * count || ico[4] != count) {
    std::fprintf(stderr, "icongen: %s does not hold %zu images\n", ico_path.c_str(), count);
    return 1;
  }
  for (size_t i = 0; i < count; ++i) {
    const std::uint8_t* e = &ico[6 + 16 * i];
    const std::uint32_t length = e[8] | e[9] << 8 | e[10] << 16 | static_cast<std::uint32_t>(e[11]) << 24;
    const std::uint32_t offset = e[12] | e[13] << 8 | e[14] << 16 | static_cast<std::uint32_t>(e[15]) << 24;
    if (offset > ico.size() || length > ico.size() - offset) {
      std::fprintf(stderr, "icongen: %s entry %zu lies outside the file\n", ico_path.c_str(), i);
      return 1;
    }
    ok = same_pixels(&ico[offset], length, kIcoSizes[i], ico_path.c_str()) && ok;
  }
  return ok ? 0 : 1;
}

int write(const std::string& png_path, const std::string& ico_path) {
  std::vector<std::vector<std::uint8_t>> pngs;
  for (int size : kIcoSizes) pngs.push_back(encode_png(render(size), size));
  if (!write_file(png_path, encode_png(render(kWindowIconSize), kWindowIconSize)) ||
      !write_file(ico_path, build_ico(pngs))) {
    std::fprintf(stderr, "icongen: cannot write %s or %s\n", png_path.c_str(), ico_path.c_str());
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "write") == 0) return write(argv[2], argv[3]);
  if (argc == 4 && std::strcmp(argv[1], "check") == 0) return check(argv[2], argv[3]);
  std::fprintf(stderr, "usage: icongen write|check <window-png> <ico>\n");
  return 2;
}
