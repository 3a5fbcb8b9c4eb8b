#include "widgets/core/label_layout.h"

namespace widgets {

int LabelTextShift(TextLayout layout, int height, int borderWidth, int measuredBottom) {
  switch (layout) {
    case TextLayout::kTop:
      return 0;
    case TextLayout::kCentre:
      return (height - borderWidth - measuredBottom) / 2;
    case TextLayout::kBottom:
      return height - borderWidth - measuredBottom;
  }
  return 0;
}

}  // namespace widgets
