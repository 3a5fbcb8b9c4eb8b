// Side lines, bevels and the named frame styles shared by every widget.
//
// StrokeSides draws, in this order, the left and top sides in the upper-left
// colour and then the right and bottom sides in the lower-right colour, so
// the corners (R-1, T) and (L, B-1) end in the lower-right colour. Each
// function returns the rectangle moved in by what it drew.
#pragma once

#include <cstdint>

#include "widgets/core/canvas.h"
#include "widgets/core/colour.h"

namespace widgets {

using Sides = std::uint8_t;
constexpr Sides kSideLeft = 1;
constexpr Sides kSideTop = 2;
constexpr Sides kSideRight = 4;
constexpr Sides kSideBottom = 8;
constexpr Sides kAllSides = 15;

enum FrameStyle : std::uint8_t {
  fsNone,
  fsFlat,
  fsGroove,
  fsBump,
  fsLowered,
  fsButtonDown,
  fsRaised,
  fsButtonUp,
  fsStatus,
  fsPopup,
  fsFlatBold,
};

// Pixels per drawn side that a style takes from the area inside it.
int FrameWidth(FrameStyle style, int bevelWidth);

// The rectangle moved in by `by` on each side in `sides` only.
Rect InsetSides(Rect r, Sides sides, int by);

Rect StrokeSides(Canvas& canvas, Rect r, Rgb upperLeft, Rgb lowerRight, Sides sides);
Rect StrokeBevel(Canvas& canvas, Rect r, Rgb upperLeft, Rgb lowerRight, Sides sides, int width);
// Draws a style in its fixed colours (dark 3-D shadow for fsFlat, button
// shadow over button highlight for fsGroove, ...), resolved through `scheme`.
Rect StrokeFrame(Canvas& canvas, Rect r, FrameStyle style, Sides sides, const ColourScheme& scheme);

// A one-pixel ring along the edges of `r` with its four corner pixels left
// out (the flat inner frame of the bar and the classic button frame).
void StrokeCornerlessFrame(Canvas& canvas, Rect r, Rgb colour);

}  // namespace widgets
