// The listener in a host's window that tells the widget set of theme
// changes. Each call of the library places it (through LookState) when its
// first paint asks for the look, and takes it off when the call ends, so that
// between calls nothing of the library is in any host window.
//
// It hooks the window by replacing its message procedure with one that passes
// every message on to the previous procedure. Taking it off puts the previous
// procedure back only while the listener is still the window's current
// procedure: a procedure placed after it (by a framework, another library or
// the host) is never removed or bypassed. In that case the listener stays in
// the chain, passing messages on and doing nothing else, and the library pins
// itself in memory for the life of the process, so nothing is ever left
// calling into unloaded code. The window's destruction removes it for good.
#pragma once

#include <windows.h>

namespace widgets {

// Starts listening to `window` (one listener per window, shared by nested
// calls); false when the window cannot be hooked.
bool ListenForThemeChanges(HWND window);
// Ends one ListenForThemeChanges of `window`; the last one takes the
// listener off as described above.
void StopListeningForThemeChanges(HWND window);

// Counts the theme changes announced in any listened window since the
// library was loaded: a look determined before a change is stale.
unsigned ThemeGeneration();

}  // namespace widgets
