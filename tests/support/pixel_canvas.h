// A Canvas over an in-memory pixel array, clipped to its size. Lines follow
// Bresenham's rule and, like GDI's, leave out their end point.
#pragma once

#include <vector>

#include "widgets/core/canvas.h"

namespace widgets {

class PixelCanvas final : public Canvas {
 public:
  PixelCanvas(int width, int height, Rgb background = Rgb{});

  void SetPixel(Point at, Rgb colour) override;
  void Line(Point from, Point to, Rgb colour) override;
  void Fill(Rect area, Rgb colour) override;

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Black outside the canvas.
  Rgb At(int x, int y) const;
  const std::vector<Rgb>& Pixels() const { return pixels_; }

 private:
  int width_;
  int height_;
  std::vector<Rgb> pixels_;
};

}  // namespace widgets
