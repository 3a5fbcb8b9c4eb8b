// What a child widget needs of the panel it lives on, and nothing more: the
// panel's window, its font, a repaint of an area, and the scheme and look to
// paint in. Children talk to their parent through this alone; the parent owns
// them through the two bases below without knowing their concrete types.
#pragma once

#include <windows.h>

#include "widgets/core/geometry.h"
#include "widgets/paint_context.h"

namespace widgets {

class WidgetParent {
 public:
  virtual HWND Handle() const = 0;
  // The font of children that have none of their own.
  virtual HFONT Font() const = 0;
  // Asks for `area` (in the parent's client coordinates) to be repainted.
  virtual void InvalidateArea(Rect area) const = 0;
  // The scheme and look the children paint with now.
  virtual PaintContext Context() const = 0;

 protected:
  ~WidgetParent() = default;
};

// A child with a window of its own, owned by its parent.
class ChildWindow {
 public:
  virtual ~ChildWindow() = default;
};

}  // namespace widgets
