// A button glyph: a bitmap of NumGlyphs cells side by side, held as RGB
// pixels (top row first). Drawn transparently: every pixel of the colour of
// the bitmap's bottom-left pixel is left out.
#pragma once

#include <vector>

#include "widgets/core/canvas.h"

namespace widgets {

struct Glyph {
  int width = 0;
  int height = 0;
  std::vector<Rgb> pixels;  // width x height

  bool Empty() const { return width <= 0 || height <= 0; }
  Rgb At(int x, int y) const {
    return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                  static_cast<std::size_t>(x)];
  }
  Rgb TransparentColour() const { return At(0, height - 1); }
};

// Width of one cell.
int GlyphCellWidth(const Glyph& glyph, int numGlyphs);
// Draws cell `cell` with its top-left corner at `at`.
void DrawGlyphCell(Canvas& canvas, const Glyph& glyph, int cell, int numGlyphs, Point at);

}  // namespace widgets
