// What a painter needs besides the DC: the colour scheme that resolves
// system colour roles, and whether to draw in the platform's visual styles.
#pragma once

#include <windows.h>

#include "widgets/core/colour.h"

namespace widgets {

struct PaintContext {
  const ColourScheme& scheme;
  bool visualStyles = false;
  // The window the theme data is opened for (the painting widget's window).
  HWND themeWindow = nullptr;
};

}  // namespace widgets
