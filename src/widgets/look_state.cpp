#include "widgets/look_state.h"

#include <commctrl.h>

#include "widgets/comctl_version.h"
#include "widgets/theme_api.h"

namespace widgets {

LookInputs ReadLookInputs() {
  LookInputs in;
  const ThemeApi& api = Theme();
  in.themeLibraryPresent = api.present;
  if (api.present) {
    in.appThemed = api.isAppThemed() != FALSE;
    in.themeActive = api.isThemeActive() != FALSE;
    in.themeAppProperties = api.getThemeAppProperties();
  }
  in.comctlMajor = CommonControlsVersion().major;
  return in;
}

bool LookState::VisualStyles(HWND painter) {
  if (!determined_) {
    determined_ = true;
    visualStyles_ = UseVisualStyles(reader_());
    const HWND root = painter ? ::GetAncestor(painter, GA_ROOT) : nullptr;
    const HWND owner = root ? ::GetWindow(root, GW_OWNER) : nullptr;
    if (owner && ::SetWindowSubclass(owner, ListenerProc, reinterpret_cast<UINT_PTR>(this),
                                     reinterpret_cast<DWORD_PTR>(this))) {
      listened_ = owner;
    }
  }
  return visualStyles_;
}

void LookState::Shutdown() {
  if (listened_ && ::IsWindow(listened_)) {
    ::RemoveWindowSubclass(listened_, ListenerProc, reinterpret_cast<UINT_PTR>(this));
  }
  listened_ = nullptr;
}

LRESULT CALLBACK LookState::ListenerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR self) {
  auto* state = reinterpret_cast<LookState*>(self);
  try {
    if (message == WM_THEMECHANGED) {
      state->visualStyles_ = UseVisualStyles(state->reader_());
    } else if (message == WM_NCDESTROY) {
      ::RemoveWindowSubclass(window, ListenerProc, id);
      state->listened_ = nullptr;
    }
  } catch (...) {
    // The host's window must keep working whatever the reader does.
  }
  return ::DefSubclassProc(window, message, wParam, lParam);
}

namespace {
LookState& Process() {
  static LookState state;
  return state;
}
}  // namespace

bool VisualStylesInUse(HWND painter) { return Process().VisualStyles(painter); }
HWND ThemeListenerWindow() { return Process().ListenedWindow(); }
void ShutdownThemeListener() { Process().Shutdown(); }

bool ResolveLook(LookChoice choice, HWND painter) {
  switch (choice) {
    case LookChoice::kClassic:
      return false;
    case LookChoice::kVisualStyles:
      return true;
    case LookChoice::kAuto:
      break;
  }
  return VisualStylesInUse(painter);
}

}  // namespace widgets
