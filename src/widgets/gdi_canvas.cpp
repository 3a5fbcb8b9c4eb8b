#include "widgets/gdi_canvas.h"

#include "widgets/win_geometry.h"
#include "win/dc_guards.h"
#include "win/gdi_handles.h"

namespace widgets {

void GdiCanvas::SetPixel(Point at, Rgb colour) { ::SetPixelV(dc_, at.x, at.y, ToColorRef(colour)); }

void GdiCanvas::Line(Point from, Point to, Rgb colour) {
  win::UniquePen pen(::CreatePen(PS_SOLID, 1, ToColorRef(colour)));
  if (!pen) return;
  win::SelectGuard select(dc_, pen.get());
  POINT old{};
  ::MoveToEx(dc_, from.x, from.y, &old);
  ::LineTo(dc_, to.x, to.y);
  ::MoveToEx(dc_, old.x, old.y, nullptr);
}

void GdiCanvas::Fill(Rect area, Rgb colour) {
  if (area.Empty()) return;
  const RECT r = ToRECT(area);
  const COLORREF old = ::SetBkColor(dc_, ToColorRef(colour));
  ::ExtTextOutW(dc_, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
  ::SetBkColor(dc_, old);
}

}  // namespace widgets
