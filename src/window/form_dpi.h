// The progress window at a DPI: the DPI the system gives the window, the
// fonts and layout it has there (the same rules at every DPI), and its size
// for a client area.
#pragma once

#include <windows.h>

#include "win/gdi_handles.h"
#include "window/form_layout.h"

namespace window {

// The DPI of `hwnd` as the system gives it (GetDpiForWindow, looked up at
// run time); the screen's where the system has no DPI per window.
UINT WindowDpi(HWND hwnd);

// The window's fonts and layout on a screen of `dpi` dots per inch: the
// window font's height scaled by dpi / 96, then the layout by the height the
// platform realises for that font / 13.
struct FormAtDpi {
  FormLayout layout;
  win::UniqueFont windowFont;
  win::UniqueFont labelFont;
};
FormAtDpi BuildFormAtDpi(int dpi);

// Sizes the window so that its client area is width x height, its frame as
// the system draws it at the window's DPI; moved to `topLeft` unless that
// is null.
void SizeToClient(HWND hwnd, const POINT* topLeft, int width, int height);

}  // namespace window
