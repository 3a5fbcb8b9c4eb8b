#include "pixel_canvas.h"

#include <algorithm>
#include <cstdlib>

namespace widgets {

PixelCanvas::PixelCanvas(int width, int height, Rgb background)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), background) {}

void PixelCanvas::SetPixel(Point at, Rgb colour) {
  if (at.x < 0 || at.y < 0 || at.x >= width_ || at.y >= height_) return;
  pixels_[static_cast<std::size_t>(at.y) * static_cast<std::size_t>(width_) +
          static_cast<std::size_t>(at.x)] = colour;
}

Rgb PixelCanvas::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return Rgb{};
  return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                 static_cast<std::size_t>(x)];
}

void PixelCanvas::Line(Point from, Point to, Rgb colour) {
  const int dx = std::abs(to.x - from.x);
  const int dy = -std::abs(to.y - from.y);
  const int sx = from.x < to.x ? 1 : -1;
  const int sy = from.y < to.y ? 1 : -1;
  int err = dx + dy;
  Point p = from;
  while (p.x != to.x || p.y != to.y) {
    SetPixel(p, colour);
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      p.x += sx;
    }
    if (e2 <= dx) {
      err += dx;
      p.y += sy;
    }
  }
}

void PixelCanvas::Fill(Rect area, Rgb colour) {
  const int left = std::max(area.left, 0);
  const int top = std::max(area.top, 0);
  const int right = std::min(area.right, width_);
  const int bottom = std::min(area.bottom, height_);
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) SetPixel(Point{x, y}, colour);
  }
}

}  // namespace widgets
