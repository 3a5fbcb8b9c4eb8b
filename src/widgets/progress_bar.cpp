#include "widgets/progress_bar.h"

#include <vssym32.h>

#include <string>

#include "widgets/core/progress_bar_layout.h"
#include "widgets/gdi_canvas.h"
#include "widgets/theme_api.h"
#include "widgets/win_geometry.h"
#include "win/dc_guards.h"
#include "win/gdi_handles.h"

namespace widgets {
namespace {

// The percentage, centred on x and clipped to `clip`.
void DrawClippedText(HDC dc, const std::wstring& text, int x, int y, Rect clip, Rgb colour) {
  if (text.empty() || clip.Empty()) return;
  const RECT r = ToRECT(clip);
  ::SetTextColor(dc, ToColorRef(colour));
  ::ExtTextOutW(dc, x, y, ETO_CLIPPED, &r, text.c_str(), static_cast<UINT>(text.size()), nullptr);
}

}  // namespace

std::unique_ptr<TRzProgressBar> TRzProgressBar::Create(WidgetParent& parent, Rect bounds,
                                                       Align align,
                                                       const ProgressBarModel& fields) {
  return std::unique_ptr<TRzProgressBar>(new TRzProgressBar(parent, bounds, align, fields));
}

TRzProgressBar::TRzProgressBar(WidgetParent& parent, Rect bounds, Align align,
                               const ProgressBarModel& fields)
    : PaintOnlyWidget(parent, bounds, align), fields_(fields) {
  fields_.SetBoundsSize(bounds.Width(), bounds.Height());
}

void TRzProgressBar::BoundsChanged() { fields_.SetBoundsSize(Bounds().Width(), Bounds().Height()); }

void TRzProgressBar::SetPercent(std::uint16_t value) {
  if (fields_.SetPercent(value)) Invalidate();
}

void TRzProgressBar::SetPartsComplete(int value) {
  fields_.SetPartsComplete(value);
  Invalidate();
}

void TRzProgressBar::SetTotalParts(int value) {
  fields_.SetTotalParts(value);
  Invalidate();
}

void TRzProgressBar::SetOnChange(ProgressBarModel::ChangeHandler handler) {
  fields_.SetOnChange(std::move(handler));
}

void TRzProgressBar::Paint(HDC dc, const PaintContext& context) const {
  const int width = Bounds().Width();
  const int height = Bounds().Height();
  if (width <= 0 || height <= 0) return;
  win::UniqueMemoryDc memory(::CreateCompatibleDC(dc));
  win::UniqueBitmap bitmap(::CreateCompatibleBitmap(dc, width, height));
  if (!memory || !bitmap) {
    PaintBar(dc, context);  // no off-screen bitmap: straight onto the panel
    return;
  }
  {
    win::SelectGuard selectBitmap(memory.get(), bitmap.get());
    // Start from what the panel painted beneath, which shows through where
    // a themed track is not opaque.
    ::BitBlt(memory.get(), 0, 0, width, height, dc, 0, 0, SRCCOPY);
    PaintBar(memory.get(), context);
    ::BitBlt(dc, 0, 0, width, height, memory.get(), 0, 0, SRCCOPY);
  }
}

void TRzProgressBar::PaintBar(HDC dc, const PaintContext& context) const {
  win::SavedDc saved(dc);
  const Rect bounds = RectOfSize(Bounds().Width(), Bounds().Height());
  const BarOrientation orientation = fields_.Orientation();
  GdiCanvas canvas(dc);

  Rect field;
  bool themed = false;
  if (context.visualStyles) {
    UniqueTheme theme(OpenTheme(context.themeWindow, L"PROGRESS"));
    if (theme) {
      const RECT r = ToRECT(bounds);
      const int part = orientation == BarOrientation::kVertical ? PP_BARVERT : PP_BAR;
      themed = SUCCEEDED(Theme().drawThemeBackground(theme.get(), dc, part, 1, &r, nullptr));
    }
  }
  field = themed ? ThemedBarField(bounds, fields_)
                 : PaintBarFrameClassic(canvas, bounds, fields_, context.scheme);

  const std::string narrow = BarText(fields_);
  const std::wstring text(narrow.begin(), narrow.end());
  const Rect filled = BarFilledRect(field, fields_.Percent(), orientation);
  const Rect rest = BarRemainderRect(field, filled, orientation);
  const Rgb back = fields_.backColor.Resolve(context.scheme);
  const Rgb bar = fields_.BarColor().Resolve(context.scheme);

  win::SelectGuard font(dc, Parent().Font());
  SIZE letterX{};
  ::GetTextExtentPoint32W(dc, L"X", 1, &letterX);
  const int x = BarTextCentreX(field);
  const int y = BarTextTop(field, letterX.cy);
  ::SetTextAlign(dc, TA_CENTER | TA_TOP | TA_NOUPDATECP);
  ::SetBkMode(dc, TRANSPARENT);

  canvas.Fill(filled, bar);
  DrawClippedText(dc, text, x, y, filled, back);
  canvas.Fill(rest, back);
  DrawClippedText(dc, text, x, y, rest, bar);
}

}  // namespace widgets
