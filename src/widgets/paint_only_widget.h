// Base of the widgets that have no window of their own (label, progress
// bar): they live on a parent panel, which owns them, lays them out and
// paints them, in creation order, each clipped to its bounds with the origin
// moved to its top-left corner.
#pragma once

#include <windows.h>

#include "widgets/core/geometry.h"
#include "widgets/paint_context.h"
#include "widgets/widget_parent.h"

namespace widgets {

// How the panel places a child inside its child area: top and bottom
// children are stacked from the edges in creation order (keeping their
// height), client children take what is left, others keep their bounds.
enum class Align { kNone, kTop, kBottom, kClient };

class PaintOnlyWidget {
 public:
  virtual ~PaintOnlyWidget() = default;
  PaintOnlyWidget(const PaintOnlyWidget&) = delete;
  PaintOnlyWidget& operator=(const PaintOnlyWidget&) = delete;

  // Relative to the panel's client area.
  Rect Bounds() const { return bounds_; }
  void SetBounds(Rect bounds);
  Align Alignment() const { return align_; }

  // Paints the widget at (0, 0) to (width, height) of `dc`.
  virtual void Paint(HDC dc, const PaintContext& context) const = 0;
  // Asks the panel to repaint this widget's rectangle.
  void Invalidate() const;

 protected:
  PaintOnlyWidget(WidgetParent& parent, Rect bounds, Align align)
      : parent_(parent), bounds_(bounds), align_(align) {}
  WidgetParent& Parent() const { return parent_; }
  // Called after the bounds changed, before the repaint is asked for.
  virtual void BoundsChanged() {}

 private:
  WidgetParent& parent_;
  Rect bounds_;
  Align align_;
};

}  // namespace widgets
