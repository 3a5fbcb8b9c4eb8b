#include "widgets/core/glyph.h"

#include <algorithm>

namespace widgets {

int GlyphCellWidth(const Glyph& glyph, int numGlyphs) {
  if (glyph.Empty()) return 0;
  return glyph.width / std::max(numGlyphs, 1);
}

void DrawGlyphCell(Canvas& canvas, const Glyph& glyph, int cell, int numGlyphs, Point at) {
  const int cellWidth = GlyphCellWidth(glyph, numGlyphs);
  if (cellWidth <= 0) return;
  const Rgb transparent = glyph.TransparentColour();
  const int left = cell * cellWidth;
  for (int y = 0; y < glyph.height; ++y) {
    for (int x = 0; x < cellWidth && left + x < glyph.width; ++x) {
      const Rgb c = glyph.At(left + x, y);
      if (c != transparent) canvas.SetPixel({at.x + x, at.y + y}, c);
    }
  }
}

}  // namespace widgets
