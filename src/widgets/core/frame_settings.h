// The frame fields a panel and a label share, with the panel's defaults, and
// the painting of those frames. The two widgets differ in two places only:
// the label draws fsFlat in FlatColor without the lightness adjustment, and
// draws fsFlatBold from the fixed colour table while counting it as 0 pixels
// when its text area is moved in.
#pragma once

#include "widgets/core/canvas.h"
#include "widgets/core/colour.h"
#include "widgets/core/frames.h"

namespace widgets {

struct FrameSettings {
  FrameStyle borderOuter = fsRaised;
  FrameStyle borderInner = fsNone;
  Sides borderSides = kAllSides;
  int borderWidth = 0;
  Colour borderColor = colours::kButtonFace;
  Colour borderHighlight = colours::kButtonHighlight;
  Colour borderShadow = colours::kButtonShadow;
  int bevelWidth = 1;
  Colour flatColor = colours::kButtonShadow;
  int flatColorAdjustment = 30;
};

enum class FrameFlavour { kPanel, kLabel };

// Outer frame, BorderWidth ring in BorderColor, inner frame; returns the
// rectangle left inside them.
Rect PaintFrames(Canvas& canvas, Rect r, const FrameSettings& frames, FrameFlavour flavour,
                 const ColourScheme& scheme);

// The area children (panel) or text (label) are laid out in: moved in on
// each side in BorderSides by the outer plus the inner frame width, then by
// BorderWidth on all four sides whatever BorderSides says.
Rect FramedContentArea(Rect client, const FrameSettings& frames, FrameFlavour flavour);

}  // namespace widgets
