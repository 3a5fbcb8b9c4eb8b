// The Windows classic ("Windows Standard") colour scheme, which the widgets'
// pixel tests paint with: button face (212,208,200), button shadow
// (128,128,128), dark 3-D shadow (64,64,64) and so on.
#pragma once

#include "widgets/core/colour.h"

namespace widgets {

const ColourScheme& ClassicScheme();

}  // namespace widgets
