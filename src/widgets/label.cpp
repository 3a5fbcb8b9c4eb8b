#include "widgets/label.h"

#include "widgets/gdi_canvas.h"
#include "widgets/text_paint.h"
#include "win/dc_guards.h"
#include "win/gdi_handles.h"

namespace widgets {

std::unique_ptr<TRzLabel> TRzLabel::Create(WidgetParent& parent, Rect bounds, Align align,
                                           LabelSettings settings) {
  return std::unique_ptr<TRzLabel>(new TRzLabel(parent, bounds, align, std::move(settings)));
}

TRzLabel::TRzLabel(WidgetParent& parent, Rect bounds, Align align, LabelSettings settings)
    : PaintOnlyWidget(parent, bounds, align), settings_(std::move(settings)) {
  JoinBlinkList(*this);
  AdjustSize();
}

TRzLabel::~TRzLabel() { LeaveBlinkList(*this); }

HFONT TRzLabel::Font() const { return settings_.font ? settings_.font : Parent().Font(); }

UINT TRzLabel::TextFlags() const {
  UINT flags = DT_EXPANDTABS;
  switch (settings_.alignment) {
    case HorizontalAlignment::kLeft:
      flags |= DT_LEFT;
      break;
    case HorizontalAlignment::kRight:
      flags |= DT_RIGHT;
      break;
    case HorizontalAlignment::kCentre:
      flags |= DT_CENTER;
      break;
  }
  if (settings_.wordWrap) flags |= DT_WORDBREAK;
  if (!settings_.showAccelChar) flags |= DT_NOPREFIX;
  if (settings_.rightToLeft) flags |= DT_RIGHT | DT_RTLREADING;
  return flags;
}

void TRzLabel::SetCaption(std::wstring caption) {
  settings_.caption = std::move(caption);
  AdjustSize();
  Invalidate();
}

void TRzLabel::SetEnabled(bool enabled) {
  settings_.enabled = enabled;
  Invalidate();
}

void TRzLabel::SetBlinking(bool blinking) {
  settings_.blinking = blinking;
  if (!blinking && !textShown_) {
    textShown_ = true;
    Invalidate();
  }
}

void TRzLabel::BlinkTick() {
  if (!settings_.blinking) return;
  textShown_ = !textShown_;
  Invalidate();
}

// An unaligned auto-size label takes the size of its text plus its frames;
// an aligned one gets its size from the panel.
void TRzLabel::AdjustSize() {
  if (!settings_.autoSize || Alignment() != Align::kNone) return;
  const Rect b = Bounds();
  win::WindowDc screen(Parent().Handle());
  win::SelectGuard font(screen.get(), Font());
  RECT text{0, 0, settings_.wordWrap ? b.Width() : 0, 0};
  const std::wstring measured = settings_.caption.empty() ? L" " : settings_.caption;
  ::DrawTextW(screen.get(), measured.c_str(), static_cast<int>(measured.size()), &text,
              TextFlags() | DT_CALCRECT);
  const Rect area =
      FramedContentArea(RectOfSize(b.Width(), b.Height()), settings_.frames, FrameFlavour::kLabel);
  const int extraX = b.Width() - area.Width();
  const int extraY = b.Height() - area.Height();
  SetBounds(Rect{b.left, b.top, b.left + (text.right - text.left) + extraX,
                 b.top + (text.bottom - text.top) + extraY});
}

void TRzLabel::Paint(HDC dc, const PaintContext& context) const {
  win::SavedDc saved(dc);
  const Rect bounds = RectOfSize(Bounds().Width(), Bounds().Height());
  GdiCanvas canvas(dc);
  const Rect inside =
      PaintFrames(canvas, bounds, settings_.frames, FrameFlavour::kLabel, context.scheme);
  if (!settings_.transparent) canvas.Fill(inside, settings_.color.Resolve(context.scheme));
  if (!textShown_ || settings_.caption.empty()) return;

  win::SelectGuard font(dc, Font());
  const UINT flags = TextFlags();
  Rect text = FramedContentArea(bounds, settings_.frames, FrameFlavour::kLabel);
  if (settings_.layout != TextLayout::kTop) {
    const int bottom = MeasureTextBottom(dc, settings_.caption, text, flags);
    text.top +=
        LabelTextShift(settings_.layout, bounds.Height(), settings_.frames.borderWidth, bottom);
  }
  if (settings_.enabled) {
    DrawTextIn(dc, settings_.caption, text, flags, settings_.fontColor.Resolve(context.scheme));
  } else {
    DrawEmbossedText(dc, settings_.caption, text, flags,
                     colours::kButtonHighlight.Resolve(context.scheme),
                     colours::kButtonShadow.Resolve(context.scheme));
  }
}

}  // namespace widgets
