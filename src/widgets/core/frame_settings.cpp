#include "widgets/core/frame_settings.h"

#include "widgets/core/hsl240.h"

namespace widgets {
namespace {

Rect PaintOneFrame(Canvas& canvas, Rect r, FrameStyle style, const FrameSettings& f,
                   FrameFlavour flavour, const ColourScheme& scheme) {
  const Sides sides = f.borderSides;
  switch (style) {
    case fsFlat: {
      const Colour c = flavour == FrameFlavour::kPanel
                           ? ShiftLightness(f.flatColor, f.flatColorAdjustment, scheme)
                           : f.flatColor;
      const Rgb rgb = c.Resolve(scheme);
      return StrokeBevel(canvas, r, rgb, rgb, sides, 1);
    }
    case fsFlatBold: {
      if (flavour == FrameFlavour::kLabel) return StrokeFrame(canvas, r, style, sides, scheme);
      const Rgb rgb = ShiftLightness(f.flatColor, f.flatColorAdjustment, scheme).Resolve(scheme);
      return StrokeBevel(canvas, r, rgb, rgb, sides, 2);
    }
    case fsStatus:
      return StrokeBevel(canvas, r, f.borderShadow.Resolve(scheme),
                         f.borderHighlight.Resolve(scheme), sides, f.bevelWidth);
    case fsPopup:
      return StrokeBevel(canvas, r, f.borderHighlight.Resolve(scheme),
                         f.borderShadow.Resolve(scheme), sides, f.bevelWidth);
    default:
      return StrokeFrame(canvas, r, style, sides, scheme);
  }
}

int ContentFrameWidth(FrameStyle style, const FrameSettings& f, FrameFlavour flavour) {
  if (flavour == FrameFlavour::kLabel && style == fsFlatBold) return 0;
  return FrameWidth(style, f.bevelWidth);
}

}  // namespace

Rect PaintFrames(Canvas& canvas, Rect r, const FrameSettings& frames, FrameFlavour flavour,
                 const ColourScheme& scheme) {
  r = PaintOneFrame(canvas, r, frames.borderOuter, frames, flavour, scheme);
  if (frames.borderWidth > 0) {
    const Rgb c = frames.borderColor.Resolve(scheme);
    r = StrokeBevel(canvas, r, c, c, frames.borderSides, frames.borderWidth);
  }
  return PaintOneFrame(canvas, r, frames.borderInner, frames, flavour, scheme);
}

Rect FramedContentArea(Rect client, const FrameSettings& frames, FrameFlavour flavour) {
  const int frameWidth = ContentFrameWidth(frames.borderOuter, frames, flavour) +
                         ContentFrameWidth(frames.borderInner, frames, flavour);
  return RectInset(InsetSides(client, frames.borderSides, frameWidth), frames.borderWidth);
}

}  // namespace widgets
