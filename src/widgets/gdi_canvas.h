// A Canvas on a GDI device context: pixels with SetPixelV, lines with a
// one-pixel solid pen and LineTo (end point left out), fills with an opaque
// ExtTextOut (no brush to create). The DC's pen, position and background
// colour are put back after each call.
#pragma once

#include <windows.h>

#include "widgets/core/canvas.h"

namespace widgets {

class GdiCanvas final : public Canvas {
 public:
  explicit GdiCanvas(HDC dc) : dc_(dc) {}
  GdiCanvas(const GdiCanvas&) = delete;
  GdiCanvas& operator=(const GdiCanvas&) = delete;

  void SetPixel(Point at, Rgb colour) override;
  void Line(Point from, Point to, Rgb colour) override;
  void Fill(Rect area, Rgb colour) override;

 private:
  HDC dc_;
};

}  // namespace widgets
