#include "widgets/core/panel_paint.h"

namespace widgets {
namespace {

// Dotted lines every kPanelGridStep pixels, every other pixel set.
void PaintGrid(Canvas& canvas, Rect area, Rgb colour) {
  for (int y = area.top; y < area.bottom; y += kPanelGridStep) {
    for (int x = area.left; x < area.right; x += 2) canvas.SetPixel({x, y}, colour);
  }
  for (int x = area.left; x < area.right; x += kPanelGridStep) {
    for (int y = area.top; y < area.bottom; y += 2) canvas.SetPixel({x, y}, colour);
  }
}

}  // namespace

Rect PaintPanelBody(Canvas& canvas, Rect client, const PanelLook& look,
                    const ColourScheme& scheme) {
  const Rect inner = PaintFrames(canvas, client, look.frames, FrameFlavour::kPanel, scheme);
  if (!look.transparent) canvas.Fill(inner, look.color.Resolve(scheme));
  if (look.showGrid) PaintGrid(canvas, inner, look.gridColor.Resolve(scheme));
  return inner;
}

}  // namespace widgets
