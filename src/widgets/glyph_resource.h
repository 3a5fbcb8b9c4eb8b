// Glyphs from bitmaps: any bitmap handle, and the OK button's check-mark
// glyph linked into this module as the bitmap resource "QESH_OK_GLYPH".
#pragma once

#include <windows.h>

#include "widgets/core/glyph.h"

namespace widgets {

// Empty when the bitmap cannot be read.
Glyph GlyphFromBitmap(HBITMAP bitmap);
// 32 x 16, two cells: green check mark, grey check mark.
Glyph LoadOkGlyph();

}  // namespace widgets
