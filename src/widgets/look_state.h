// Which look the widgets paint in, and the listener that keeps it current.
//
// The look is determined on the first paint that asks for it (the look
// rule in look_rule.h, with the platform's answers). From then on the widget
// set listens to the owner of the painting widget's top-level window (the
// host's window while the progress window is up): it subclasses that window
// by replacing its message procedure with one that passes every message on
// to the previous procedure, and re-reads the look on WM_THEMECHANGED. The
// previous procedure is put back at that window's WM_NCDESTROY, or
// by ShutdownThemeListener(), which the library's unload path must call so
// that the host never calls into unloaded code. Later paints reuse the same
// state and listener.
#pragma once

#include <windows.h>

#include <functional>

#include "widgets/look_rule.h"

namespace widgets {

// The platform's answers: uxtheme present, IsAppThemed, IsThemeActive,
// GetThemeAppProperties, and the comctl32 file version (read once).
LookInputs ReadLookInputs();

class LookState {
 public:
  using Reader = std::function<LookInputs()>;
  explicit LookState(Reader reader = ReadLookInputs) : reader_(std::move(reader)) {}
  ~LookState() { Shutdown(); }
  LookState(const LookState&) = delete;
  LookState& operator=(const LookState&) = delete;

  // True for visual styles. The first call reads the inputs and starts
  // listening to the owner of `painter`'s top-level window, if it has one.
  bool VisualStyles(HWND painter);
  // Removes the subclass (on the window's own thread), if it is still there.
  void Shutdown();
  // The window being listened to; null before the first paint, after its
  // destruction and after Shutdown.
  HWND ListenedWindow() const { return listened_; }

 private:
  static LRESULT CALLBACK ListenerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // Puts the previous procedure back.
  void Unhook();
  Reader reader_;
  bool determined_ = false;
  bool visualStyles_ = false;
  HWND listened_ = nullptr;
  WNDPROC previous_ = nullptr;
  // The host's window keeps its character set: an ANSI window is hooked and
  // chained through the ANSI functions.
  bool unicode_ = true;
};

// The process-wide state the widgets paint by.
bool VisualStylesInUse(HWND painter);
HWND ThemeListenerWindow();
// For the library's unload path (DllMain, DLL_PROCESS_DETACH).
void ShutdownThemeListener();

// A widget's choice: follow the rule, or force one look (tests, or a host
// that wants the classic look whatever the platform says).
enum class LookChoice { kAuto, kClassic, kVisualStyles };
bool ResolveLook(LookChoice choice, HWND painter);

}  // namespace widgets
