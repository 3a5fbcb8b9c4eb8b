// The monitors as the system lays them out, and where a window is on them.
#pragma once

#include <windows.h>

#include <vector>

#include "window/form_layout.h"

namespace window {

// Every monitor of the desktop, the primary one marked; empty when the
// system lists none.
std::vector<Monitor> SystemMonitors();

// The screen area of a window: where it is shown, or where it is restored to
// when it is minimised.
Area WindowArea(HWND hwnd);

}  // namespace window
