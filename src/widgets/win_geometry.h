// Conversions between the portable geometry and Win32's RECT and COLORREF.
#pragma once

#include <windows.h>

#include "widgets/core/colour.h"
#include "widgets/core/geometry.h"

namespace widgets {

inline RECT ToRECT(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
inline Rect FromRECT(const RECT& r) { return Rect{r.left, r.top, r.right, r.bottom}; }
inline COLORREF ToColorRef(Rgb c) { return RGB(c.r, c.g, c.b); }
inline Rgb FromColorRef(COLORREF c) { return Rgb{GetRValue(c), GetGValue(c), GetBValue(c)}; }

}  // namespace widgets
