// The body of a framed panel: frames, fill and the optional grid, painted on
// (0, 0, width, height). The caption is text and is drawn by the Windows
// side after this.
#pragma once

#include "widgets/core/canvas.h"
#include "widgets/core/frame_settings.h"

namespace widgets {

struct PanelLook {
  FrameSettings frames;  // BorderOuter fsRaised, BorderInner fsNone, ... as panel defaults
  Colour color = colours::kButtonFace;
  bool transparent = false;
  bool showGrid = false;
  Colour gridColor = colours::kButtonShadow;
};

constexpr int kPanelGridStep = 8;

// Returns the rectangle inside the frames (where the fill went).
Rect PaintPanelBody(Canvas& canvas, Rect client, const PanelLook& look, const ColourScheme& scheme);

}  // namespace widgets
