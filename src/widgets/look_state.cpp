#include "widgets/look_state.h"

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

namespace {

// The listening state of a hooked window, found by its procedure.
constexpr wchar_t kListenerProperty[] = L"QeshThemeListener";

}  // namespace

bool LookState::VisualStyles(HWND painter) {
  if (!determined_) {
    determined_ = true;
    visualStyles_ = UseVisualStyles(reader_());
    const HWND root = painter ? ::GetAncestor(painter, GA_ROOT) : nullptr;
    const HWND owner = root ? ::GetWindow(root, GW_OWNER) : nullptr;
    if (owner && ::SetPropW(owner, kListenerProperty, this)) {
      unicode_ = ::IsWindowUnicode(owner) != FALSE;
      const LONG_PTR listener = reinterpret_cast<LONG_PTR>(&ListenerProc);
      previous_ =
          reinterpret_cast<WNDPROC>(unicode_ ? ::SetWindowLongPtrW(owner, GWLP_WNDPROC, listener)
                                             : ::SetWindowLongPtrA(owner, GWLP_WNDPROC, listener));
      if (previous_ != nullptr) {
        listened_ = owner;
      } else {
        ::RemovePropW(owner, kListenerProperty);
      }
    }
  }
  return visualStyles_;
}

void LookState::Unhook() {
  if (listened_ == nullptr) return;
  if (::IsWindow(listened_)) {
    const LONG_PTR previous = reinterpret_cast<LONG_PTR>(previous_);
    if (unicode_) {
      ::SetWindowLongPtrW(listened_, GWLP_WNDPROC, previous);
    } else {
      ::SetWindowLongPtrA(listened_, GWLP_WNDPROC, previous);
    }
    ::RemovePropW(listened_, kListenerProperty);
  }
  listened_ = nullptr;
  previous_ = nullptr;
}

void LookState::Shutdown() { Unhook(); }

LRESULT CALLBACK LookState::ListenerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* state = static_cast<LookState*>(::GetPropW(window, kListenerProperty));
  if (state == nullptr || state->previous_ == nullptr) {
    return ::DefWindowProcW(window, message, wParam, lParam);
  }
  const WNDPROC previous = state->previous_;
  const bool unicode = state->unicode_;
  try {
    if (message == WM_THEMECHANGED) state->visualStyles_ = UseVisualStyles(state->reader_());
  } catch (...) {
    // The host's window must keep working whatever the reader does.
  }
  if (message == WM_NCDESTROY) state->Unhook();
  return unicode ? ::CallWindowProcW(previous, window, message, wParam, lParam)
                 : ::CallWindowProcA(previous, window, message, wParam, lParam);
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
