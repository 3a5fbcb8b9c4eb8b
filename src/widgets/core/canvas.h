// The drawing surface the frame and widget painters stroke onto. The Windows
// build paints through GDI (gdi_canvas.h); tests use an in-memory PixelCanvas
// and assert exact pixels.
#pragma once

#include "widgets/core/colour.h"
#include "widgets/core/geometry.h"

namespace widgets {

class Canvas {
 public:
  virtual ~Canvas() = default;
  virtual void SetPixel(Point at, Rgb colour) = 0;
  // A one-pixel line that leaves out its end point, as GDI's LineTo does.
  virtual void Line(Point from, Point to, Rgb colour) = 0;
  virtual void Fill(Rect area, Rgb colour) = 0;
};

}  // namespace widgets
