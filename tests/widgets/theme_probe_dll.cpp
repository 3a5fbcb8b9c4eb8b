// A small DLL that carries the widget set the way the real library does, so
// a test can unload it with the theme listener installed on a window of the
// test program. Its unload path removes the listener, as the library's must.
#include <windows.h>

#include "widgets/look_state.h"

extern "C" {

// The first paint of a widget on `painter`: determines the look and hooks
// the owner of `painter`'s top-level window.
__declspec(dllexport) int ProbeFirstPaint(HWND painter) {
  return widgets::VisualStylesInUse(painter) ? 1 : 0;
}

__declspec(dllexport) HWND ProbeListenedWindow() { return widgets::ThemeListenerWindow(); }

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
  // On FreeLibrary only: at process exit the windows are going anyway.
  if (reason == DLL_PROCESS_DETACH && reserved == nullptr) widgets::ShutdownThemeListener();
  return TRUE;
}

}  // extern "C"
