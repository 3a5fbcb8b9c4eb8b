#include "widgets/text_paint.h"

#include "widgets/win_geometry.h"

namespace widgets {

int MeasureTextBottom(HDC dc, const std::wstring& text, Rect area, UINT flags) {
  RECT r = ToRECT(area);
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, flags | DT_CALCRECT);
  return r.bottom;
}

int MeasureTextHeight(HDC dc, const std::wstring& text, Rect area, UINT flags) {
  return MeasureTextBottom(dc, text, area, flags) - area.top;
}

void DrawTextIn(HDC dc, const std::wstring& text, Rect area, UINT flags, Rgb colour) {
  if (text.empty()) return;
  const int oldMode = ::SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColour = ::SetTextColor(dc, ToColorRef(colour));
  RECT r = ToRECT(area);
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, flags);
  ::SetTextColor(dc, oldColour);
  ::SetBkMode(dc, oldMode);
}

void DrawEmbossedText(HDC dc, const std::wstring& text, Rect area, UINT flags, Rgb highlight,
                      Rgb shadow) {
  DrawTextIn(dc, text, RectOffset(area, 1, 1), flags, highlight);
  DrawTextIn(dc, text, area, flags, shadow);
}

HFONT FontOrDefault(HFONT font) {
  return font ? font : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

}  // namespace widgets
