#include "tests/smoke/screenshot.h"

#include <png.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "support/unique_handle.h"

namespace corvane {
namespace {

struct MemoryDcTraits {
  using Handle = HDC;
  static Handle empty() noexcept { return nullptr; }
  static bool valid(Handle h) noexcept { return h != nullptr; }
  static void close(Handle h) noexcept { DeleteDC(h); }
};

struct BitmapTraits {
  using Handle = HBITMAP;
  static Handle empty() noexcept { return nullptr; }
  static bool valid(Handle h) noexcept { return h != nullptr; }
  static void close(Handle h) noexcept { DeleteObject(h); }
};

// Top row first, four bytes a pixel (blue, green, red, unused); empty if the copy failed.
std::vector<unsigned char> copy_pixels(HDC source, int x, int y, int width, int height) {
  const UniqueHandle<MemoryDcTraits> memory(CreateCompatibleDC(source));
  if (!memory) return {};
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first, as PNG has it
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  const UniqueHandle<BitmapTraits> bitmap(CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap) return {};
  const HGDIOBJ previous = SelectObject(memory.get(), bitmap.get());
  const BOOL copied = BitBlt(memory.get(), 0, 0, width, height, source, x, y, SRCCOPY);
  GdiFlush();  // the bits are read directly next
  std::vector<unsigned char> pixels;
  if (copied) {
    const auto* first = static_cast<const unsigned char*>(bits);
    pixels.assign(first, first + size_t(width) * height * 4);
  }
  SelectObject(memory.get(), previous);  // the bitmap goes only once no DC holds it
  return pixels;
}

bool all_black(const std::vector<unsigned char>& pixels) {
  return std::all_of(pixels.begin(), pixels.end(), [](unsigned char byte) { return byte == 0; });
}

// What the screen shows of the window, the browser's composited content with it. Wine's screen reads
// back black; there the window's own device context gives its pixels.
std::vector<unsigned char> window_pixels(HWND window, const RECT& rect) {
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  HDC screen = GetDC(nullptr);
  std::vector<unsigned char> pixels = copy_pixels(screen, rect.left, rect.top, width, height);
  ReleaseDC(nullptr, screen);
  if (!all_black(pixels)) return pixels;
  HDC own = GetWindowDC(window);
  pixels = copy_pixels(own, 0, 0, width, height);
  ReleaseDC(window, own);
  return pixels;
}

}  // namespace

std::optional<std::string> save_screenshot(HWND window, const std::wstring& path) {
  RECT rect;
  if (!GetWindowRect(window, &rect)) return "the window has no rectangle";
  if (rect.right <= rect.left || rect.bottom <= rect.top) return "the window has no area";
  std::vector<unsigned char> pixels = window_pixels(window, rect);
  if (pixels.empty()) return "the window's pixels could not be copied";
  for (size_t i = 3; i < pixels.size(); i += 4) pixels[i] = 0xFF;  // BitBlt leaves alpha at 0

  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = rect.right - rect.left;
  image.height = rect.bottom - rect.top;
  image.format = PNG_FORMAT_BGRA;
  FILE* file = _wfopen(path.c_str(), L"wb");
  if (!file) return "the screenshot file could not be created";
  const int written = png_image_write_to_stdio(&image, file, 0, pixels.data(), 0, nullptr);
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed) return std::string("libpng could not write the screenshot: ") + image.message;
  return std::nullopt;
}

}  // namespace corvane
