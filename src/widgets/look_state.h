// Which look the widgets paint in, and the listener that keeps it current.
//
// Each call of the library has a LookScope of its own. The look is determined
// on the first paint of the call that asks for it (the look rule in
// look_rule.h, with the platform's answers; the common-controls file version
// is read once per process). From then on, for the rest of the call, the
// widget set listens to the owner of the painting widget's top-level window
// (the host's window while the progress window is up) and determines the
// look again after the platform announces a theme change there. The call's
// end takes the listener off (theme_listener.h says how). Outside any call,
// every paint determines the look afresh and nothing is listened to.
#pragma once

#include <windows.h>

#include <functional>

#include "widgets/core/look_rule.h"

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
  // listening to the owner of `painter`'s top-level window, if it has one; a
  // theme change announced since makes the next call read them again. A
  // reader that fails leaves the last answer in place.
  bool VisualStyles(HWND painter);
  // Stops listening.
  void Shutdown();
  // The window being listened to; null before the first paint, after its
  // destruction and after Shutdown.
  HWND ListenedWindow() const { return ::IsWindow(listened_) ? listened_ : nullptr; }

 private:
  void Read();
  Reader reader_;
  bool determined_ = false;
  unsigned generation_ = 0;
  bool visualStyles_ = false;
  HWND listened_ = nullptr;
};

// The look state of one call: current on its thread while it lives (nested
// calls stack), then taken off with its listener.
class LookScope {
 public:
  explicit LookScope(LookState::Reader reader = ReadLookInputs);
  ~LookScope();
  LookScope(const LookScope&) = delete;
  LookScope& operator=(const LookScope&) = delete;

  LookState& State() { return state_; }

 private:
  LookState state_;
  LookScope* outer_;
};

// The state the widgets paint by: the current call's, or, outside a call,
// the platform's answer of the moment.
bool VisualStylesInUse(HWND painter);

// A widget's choice: follow the rule, or force one look (tests, or a host
// that wants the classic look whatever the platform says).
enum class LookChoice { kAuto, kClassic, kVisualStyles };
bool ResolveLook(LookChoice choice, HWND painter);

}  // namespace widgets
