// Text output for the label and the button: DrawText with a clear background
// in one colour, and the embossed (disabled) form drawn twice.
#pragma once

#include <windows.h>

#include <string>

#include "widgets/core/colour.h"
#include "widgets/core/geometry.h"

namespace widgets {

// The height DrawText gives the text in `area` with these flags (word
// breaks wrap at the area's width).
int MeasureTextHeight(HDC dc, const std::wstring& text, Rect area, UINT flags);
// Bottom of the measured text rectangle, from DT_CALCRECT in `area`.
int MeasureTextBottom(HDC dc, const std::wstring& text, Rect area, UINT flags);

void DrawTextIn(HDC dc, const std::wstring& text, Rect area, UINT flags, Rgb colour);
// In `highlight` offset by (+1, +1), then in `shadow` in place.
void DrawEmbossedText(HDC dc, const std::wstring& text, Rect area, UINT flags, Rgb highlight,
                      Rgb shadow);

// The font to draw with when a widget has none of its own.
HFONT FontOrDefault(HFONT font);

}  // namespace widgets
