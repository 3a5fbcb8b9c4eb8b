#include "widgets/glyph_resource.h"

#include <cstdint>

#include "win/dc_guards.h"
#include "win/gdi_handles.h"
#include "win/module_instance.h"

namespace widgets {

Glyph GlyphFromBitmap(HBITMAP bitmap) {
  BITMAP info{};
  if (!bitmap || ::GetObjectW(bitmap, sizeof(info), &info) == 0) return {};
  const int width = info.bmWidth;
  const int height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
  if (width <= 0 || height <= 0) return {};

  BITMAPINFO request{};
  request.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  request.bmiHeader.biWidth = width;
  request.bmiHeader.biHeight = -height;  // top row first
  request.bmiHeader.biPlanes = 1;
  request.bmiHeader.biBitCount = 32;
  request.bmiHeader.biCompression = BI_RGB;
  std::vector<std::uint32_t> bgrx(static_cast<std::size_t>(width) *
                                  static_cast<std::size_t>(height));
  win::WindowDc screen(nullptr);
  if (::GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(height), bgrx.data(), &request,
                  DIB_RGB_COLORS) != height) {
    return {};
  }
  Glyph glyph;
  glyph.width = width;
  glyph.height = height;
  glyph.pixels.reserve(bgrx.size());
  for (const std::uint32_t p : bgrx) {
    glyph.pixels.push_back(Rgb{static_cast<std::uint8_t>((p >> 16) & 0xFF),
                               static_cast<std::uint8_t>((p >> 8) & 0xFF),
                               static_cast<std::uint8_t>(p & 0xFF)});
  }
  return glyph;
}

Glyph LoadOkGlyph() {
  win::UniqueBitmap bitmap(static_cast<HBITMAP>(
      ::LoadImageW(win::ThisModule(), L"QESH_OK_GLYPH", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  return GlyphFromBitmap(bitmap.get());
}

}  // namespace widgets
