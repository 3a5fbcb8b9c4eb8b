#include "widgets/core/frames.h"

namespace widgets {
namespace {

struct Pair {
  Colour upperLeft;
  Colour lowerRight;
};

// Upper-left / lower-right colours of the single-pair styles and the outer
// pass of the two-pass ones.
Pair OuterPair(FrameStyle style) {
  using namespace colours;
  switch (style) {
    case fsFlat:
      return {kDarkShadow3D, kDarkShadow3D};
    case fsGroove:
    case fsStatus:
    case fsLowered:
      return {kButtonShadow, kButtonHighlight};
    case fsFlatBold:
      return {kButtonShadow, kButtonShadow};
    case fsBump:
    case fsPopup:
      return {kButtonHighlight, kButtonShadow};
    case fsRaised:
      return {kLight3D, kDarkShadow3D};
    case fsButtonDown:
      return {kButtonText, kButtonText};
    case fsButtonUp:
      return {kButtonHighlight, kDarkShadow3D};
    case fsNone:
      break;
  }
  return {kButtonFace, kButtonFace};
}

Pair InnerPair(FrameStyle style) {
  using namespace colours;
  switch (style) {
    case fsLowered:
      return {kDarkShadow3D, kLight3D};
    case fsRaised:
      return {kButtonHighlight, kButtonShadow};
    case fsButtonDown:
      return {kButtonShadow, kButtonShadow};
    case fsButtonUp:
      return {kLight3D, kButtonShadow};
    default:
      break;
  }
  return OuterPair(style);
}

bool Has(Sides sides, Sides side) { return (sides & side) != 0; }

// The 2-pixel etched edge of fsGroove and fsBump.
Rect StrokeEtched(Canvas& canvas, Rect r, Rgb ul, Rgb lr, Sides sides) {
  const int L = r.left, T = r.top, R = r.right, B = r.bottom;
  if (Has(sides, kSideRight)) {
    canvas.SetPixel({R - 1, T}, lr);
  } else if (Has(sides, kSideTop)) {
    canvas.SetPixel({R - 1, T}, ul);
  }
  if (Has(sides, kSideBottom)) {
    canvas.SetPixel({L, B - 1}, lr);
  } else if (Has(sides, kSideLeft)) {
    canvas.SetPixel({L, B - 1}, ul);
  }
  if (Has(sides, kSideTop) && !Has(sides, kSideLeft)) canvas.SetPixel({L, T + 1}, lr);
  if (Has(sides, kSideLeft) && !Has(sides, kSideTop)) canvas.SetPixel({L + 1, T}, lr);
  if (Has(sides, kSideBottom) && !Has(sides, kSideRight)) canvas.SetPixel({R - 1, B - 2}, ul);
  if (Has(sides, kSideRight) && !Has(sides, kSideBottom)) canvas.SetPixel({R - 2, B - 1}, ul);
  StrokeSides(canvas, Rect{L + 1, T + 1, R, B}, lr, lr, sides);
  StrokeSides(canvas, Rect{L, T, R - 1, B - 1}, ul, ul, sides);
  return InsetSides(r, sides, 2);
}

}  // namespace

int FrameWidth(FrameStyle style, int bevelWidth) {
  switch (style) {
    case fsNone:
      return 0;
    case fsFlat:
      return 1;
    case fsStatus:
    case fsPopup:
      return bevelWidth;
    default:
      return 2;
  }
}

Rect InsetSides(Rect r, Sides sides, int by) {
  if (Has(sides, kSideLeft)) r.left += by;
  if (Has(sides, kSideTop)) r.top += by;
  if (Has(sides, kSideRight)) r.right -= by;
  if (Has(sides, kSideBottom)) r.bottom -= by;
  return r;
}

Rect StrokeSides(Canvas& canvas, Rect r, Rgb upperLeft, Rgb lowerRight, Sides sides) {
  const int L = r.left, T = r.top, R = r.right, B = r.bottom;
  if (Has(sides, kSideLeft)) canvas.Line({L, T}, {L, B}, upperLeft);
  if (Has(sides, kSideTop)) canvas.Line({L, T}, {R, T}, upperLeft);
  if (Has(sides, kSideRight)) canvas.Line({R - 1, T}, {R - 1, B}, lowerRight);
  if (Has(sides, kSideBottom)) canvas.Line({L, B - 1}, {R, B - 1}, lowerRight);
  return InsetSides(r, sides, 1);
}

Rect StrokeBevel(Canvas& canvas, Rect r, Rgb upperLeft, Rgb lowerRight, Sides sides, int width) {
  for (int i = 0; i < width; ++i) r = StrokeSides(canvas, r, upperLeft, lowerRight, sides);
  return r;
}

Rect StrokeFrame(Canvas& canvas, Rect r, FrameStyle style, Sides sides,
                 const ColourScheme& scheme) {
  const Pair outer = OuterPair(style);
  const Rgb ul = outer.upperLeft.Resolve(scheme);
  const Rgb lr = outer.lowerRight.Resolve(scheme);
  switch (style) {
    case fsNone:
      return r;
    case fsFlat:
    case fsStatus:
    case fsPopup:
      return StrokeSides(canvas, r, ul, lr, sides);
    case fsFlatBold:
      return StrokeBevel(canvas, r, ul, lr, sides, 2);
    case fsGroove:
    case fsBump:
      return StrokeEtched(canvas, r, ul, lr, sides);
    case fsLowered:
    case fsRaised:
    case fsButtonDown:
    case fsButtonUp: {
      const Pair inner = InnerPair(style);
      const Rect mid = StrokeSides(canvas, r, ul, lr, sides);
      return StrokeSides(canvas, mid, inner.upperLeft.Resolve(scheme),
                         inner.lowerRight.Resolve(scheme), sides);
    }
  }
  return r;
}

void StrokeCornerlessFrame(Canvas& canvas, Rect r, Rgb colour) {
  const int L = r.left, T = r.top, R = r.right, B = r.bottom;
  if (R - L < 3 || B - T < 3) return;
  canvas.Line({L, T + 1}, {L, B - 1}, colour);
  canvas.Line({L + 1, T}, {R - 1, T}, colour);
  canvas.Line({R - 1, T + 1}, {R - 1, B - 1}, colour);
  canvas.Line({L + 1, B - 1}, {R - 1, B - 1}, colour);
}

}  // namespace widgets
