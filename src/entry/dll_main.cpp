// The library does nothing when it is loaded. When a host unloads it, the
// hooks it placed in the host's windows are removed first, so the host never
// calls into unloaded code.
#include <windows.h>

#include "widgets/look_state.h"

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
  // reserved is null for FreeLibrary; at process exit the windows go anyway.
  if (reason == DLL_PROCESS_DETACH && reserved == nullptr) widgets::ShutdownThemeListener();
  return TRUE;
}
