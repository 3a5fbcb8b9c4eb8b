#include "widgets/core/progress_bar_layout.h"

#include "widgets/core/default_float_mode.h"
#include "widgets/core/round_half_even.h"

#include <cmath>

#include "widgets/core/hsl240.h"

namespace widgets {
namespace {

int LengthShare(int length, std::uint16_t percent) {
  return static_cast<int>(RoundHalfEven(static_cast<double>(length) * percent / 100.0));
}

// Round(length x percent / 100), in the default floating point environment.
int RoundedShare(int length, std::uint16_t percent) {
  return InDefaultFloatMode(LengthShare, length, percent);
}

}  // namespace

Rect PaintBarFrameClassic(Canvas& canvas, Rect bounds, const ProgressBarModel& bar,
                          const ColourScheme& scheme) {
  canvas.Fill(bounds, bar.borderColor.Resolve(scheme));
  const Rgb flat = ShiftLightness(bar.flatColor, bar.flatColorAdjustment, scheme).Resolve(scheme);
  Rect r = bounds;
  if (bar.borderOuter == fsFlat) {
    r = StrokeBevel(canvas, r, flat, flat, kAllSides, 1);
  } else {
    r = StrokeFrame(canvas, r, bar.borderOuter, kAllSides, scheme);
  }
  if (bar.borderWidth > 0) {
    const Rgb c = bar.borderColor.Resolve(scheme);
    r = StrokeBevel(canvas, r, c, c, kAllSides, bar.borderWidth);
  }
  if (bar.borderInner == fsFlat) {
    StrokeCornerlessFrame(canvas, r, flat);
    r = RectInset(r, 1);
  } else {
    r = StrokeFrame(canvas, r, bar.borderInner, kAllSides, scheme);
  }
  if (bar.interiorOffset > 0) {
    // An outline of that width drawn inside the frame.
    const Rgb back = bar.backColor.Resolve(scheme);
    r = StrokeBevel(canvas, r, back, back, kAllSides, bar.interiorOffset);
  }
  return r;
}

Rect ThemedBarField(Rect bounds, const ProgressBarModel& bar) {
  return RectInset(bounds, bar.interiorOffset + 3);
}

std::string PercentText(unsigned percent) {
  // "%u%%" by hand: the library does without the C runtime's formatting.
  std::string text(1, '%');
  do {
    text.insert(text.begin(), static_cast<char>('0' + percent % 10));
    percent /= 10;
  } while (percent != 0);
  return text;
}

std::string BarText(const ProgressBarModel& bar) {
  return bar.showPercent ? PercentText(bar.Percent()) : std::string();
}

Rect BarFilledRect(Rect field, std::uint16_t percent, BarOrientation orientation) {
  if (percent >= 100) return field;
  if (orientation == BarOrientation::kHorizontal) {
    return Rect{field.left, field.top, field.left + RoundedShare(field.Width(), percent),
                field.bottom};
  }
  return Rect{field.left, field.bottom - RoundedShare(field.Height(), percent), field.right,
              field.bottom};
}

Rect BarRemainderRect(Rect field, Rect filled, BarOrientation orientation) {
  if (orientation == BarOrientation::kHorizontal) {
    return Rect{filled.right, field.top, field.right, field.bottom};
  }
  return Rect{field.left, field.top, field.right, filled.top};
}

int BarTextCentreX(Rect field) { return field.right / 2; }

int BarTextTop(Rect field, int xHeight) { return field.top + (field.Height() - xHeight) / 2; }

}  // namespace widgets
