// Geometry of the bitmap button: the content rectangle, which glyph cell is
// shown and where, and the caption rectangle, for the glyph-left layout.
#pragma once

#include "widgets/core/geometry.h"

namespace widgets {

constexpr int kButtonContentInset = 5;

enum class VerticalAlignment { kTop, kCentre, kBottom };

// NumGlyphs after a glyph of this size is assigned: width / height when the
// width is a non-zero whole multiple of the height and the quotient is below
// 5, else 1; other sizes leave the current count. Never below 1.
int NumGlyphsForGlyph(int width, int height, int current);

// The client rectangle moved in by 5 on each side.
Rect ButtonContentRect(Rect client);

// Cell 1 (the disabled look) only for a disabled button with two cells or more.
int GlyphCellIndex(bool enabled, int numGlyphs);

// Top-left corner of a glyph cell placed at the left of the content.
Point GlyphOrigin(Rect content, int margin, int cellHeight);

// The content with its left edge moved past the margin, the glyph and the
// spacing; with no glyph the caption has the whole content rectangle.
Rect CaptionArea(Rect content, int margin, int cellWidth, int spacing);

// The caption's rectangle once its measured height is known.
Rect PlaceCaption(Rect area, int textHeight, VerticalAlignment alignment);

}  // namespace widgets
