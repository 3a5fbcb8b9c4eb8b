// Geometry and classic frame of the traditional progress bar, painted on
// (0, 0, width, height).
#pragma once

#include <cstdint>
#include <string>

#include "widgets/core/canvas.h"
#include "widgets/core/progress_bar_model.h"

namespace widgets {

// Frames of the classic look; returns the field the bar is drawn in.
Rect PaintBarFrameClassic(Canvas& canvas, Rect bounds, const ProgressBarModel& bar,
                          const ColourScheme& scheme);
// The field of the visual-style look, inside the platform's track.
Rect ThemedBarField(Rect bounds, const ProgressBarModel& bar);

// "25%": a percentage as the bar writes it.
std::string PercentText(unsigned percent);
// The bar's text: its percentage when shown, else empty.
std::string BarText(const ProgressBarModel& bar);
// The whole field from 100 on; otherwise the share of the field's width
// (from the left) or height (from the bottom), rounded halves to even.
Rect BarFilledRect(Rect field, std::uint16_t percent, BarOrientation orientation);
// What the filled part leaves of the field.
Rect BarRemainderRect(Rect field, Rect filled, BarOrientation orientation);
// The text is centred on the field's right edge halved (not on the field's
// midpoint), its top at T + (B - T - xHeight) / 2.
int BarTextCentreX(Rect field);
int BarTextTop(Rect field, int xHeight);

}  // namespace widgets
