#include "widgets/look_state.h"

#include "widgets/comctl_version.h"
#include "widgets/theme_api.h"
#include "widgets/theme_listener.h"

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

void LookState::Read() {
  generation_ = ThemeGeneration();
  try {
    visualStyles_ = UseVisualStyles(reader_());
  } catch (...) {
    // The last answer stays; a paint must not fail over the look.
  }
}

bool LookState::VisualStyles(HWND painter) {
  if (!determined_) {
    determined_ = true;
    Read();
    const HWND root = painter ? ::GetAncestor(painter, GA_ROOT) : nullptr;
    const HWND owner = root ? ::GetWindow(root, GW_OWNER) : nullptr;
    if (owner && ListenForThemeChanges(owner)) listened_ = owner;
  } else if (listened_ != nullptr && generation_ != ThemeGeneration()) {
    Read();
  }
  return visualStyles_;
}

void LookState::Shutdown() {
  if (listened_ == nullptr) return;
  StopListeningForThemeChanges(listened_);
  listened_ = nullptr;
}

namespace {
thread_local LookScope* g_current = nullptr;
}  // namespace

LookScope::LookScope(LookState::Reader reader) : state_(std::move(reader)), outer_(g_current) {
  g_current = this;
}

LookScope::~LookScope() {
  state_.Shutdown();
  g_current = outer_;
}

bool VisualStylesInUse(HWND painter) {
  if (g_current != nullptr) return g_current->State().VisualStyles(painter);
  try {
    return UseVisualStyles(ReadLookInputs());
  } catch (...) {
    return false;
  }
}

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
