// A small DLL that carries the widget set the way the real library does, so
// a test can unload it after a call that listened to a window of the test
// program.
#include <windows.h>

#include "widgets/look_state.h"

namespace {
widgets::LookScope* g_call = nullptr;
}

extern "C" {

// A call begins and its first widget paints on `painter`: the look is
// determined and the owner of `painter`'s top-level window listened to.
__declspec(dllexport) int ProbeBeginCall(HWND painter) {
  g_call = new widgets::LookScope();
  return widgets::VisualStylesInUse(painter) ? 1 : 0;
}

__declspec(dllexport) HWND ProbeListenedWindow() {
  return g_call != nullptr ? g_call->State().ListenedWindow() : nullptr;
}

__declspec(dllexport) void ProbeEndCall() {
  delete g_call;
  g_call = nullptr;
}

}  // extern "C"
