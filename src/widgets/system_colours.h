// The live system colours (GetSysColor), the scheme widgets use unless they
// are given another one.
#pragma once

#include "widgets/core/colour.h"

namespace widgets {

const ColourScheme& SystemScheme();

}  // namespace widgets
