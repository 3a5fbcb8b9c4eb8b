#include "widgets/core/button_layout.h"

#include <algorithm>

namespace widgets {

int NumGlyphsForGlyph(int width, int height, int current) {
  int count = current;
  if (width > 0 && height > 0 && width % height == 0) {
    const int quotient = width / height;
    count = quotient < 5 ? quotient : 1;
  }
  return std::max(count, 1);
}

Rect ButtonContentRect(Rect client) { return RectInset(client, kButtonContentInset); }

int GlyphCellIndex(bool enabled, int numGlyphs) { return !enabled && numGlyphs >= 2 ? 1 : 0; }

Point GlyphOrigin(Rect content, int margin, int cellHeight) {
  return Point{content.left + margin, content.top + (content.Height() - cellHeight + 1) / 2};
}

Rect CaptionArea(Rect content, int margin, int cellWidth, int spacing) {
  if (cellWidth <= 0) return content;
  Rect area = content;
  area.left += margin + cellWidth + spacing;
  return area;
}

Rect PlaceCaption(Rect area, int textHeight, VerticalAlignment alignment) {
  Rect r = area;
  switch (alignment) {
    case VerticalAlignment::kTop:
      r.bottom = r.top + textHeight;
      break;
    case VerticalAlignment::kCentre:
      r.top = (area.top + area.bottom - textHeight) / 2;
      r.bottom = r.top + textHeight;
      break;
    case VerticalAlignment::kBottom:
      r.top = area.bottom - textHeight - 1;
      break;
  }
  return r;
}

}  // namespace widgets
