// The choice between the platform's visual styles and the classic look.
#pragma once

#include <cstdint>

namespace widgets {

// What the platform reports; read by look_state.cpp on Windows.
struct LookInputs {
  bool themeLibraryPresent = false;      // uxtheme.dll could be loaded
  bool appThemed = false;                // IsAppThemed
  bool themeActive = false;              // IsThemeActive
  unsigned comctlMajor = 0;              // major file version of comctl32.dll
  std::uint32_t themeAppProperties = 0;  // GetThemeAppProperties
};

// STAP_ALLOW_CONTROLS: the application's theme properties allow themed controls.
constexpr std::uint32_t kThemeAllowControls = 0x2;

// Visual styles only when every input agrees, with common controls 6.0 or later.
bool UseVisualStyles(const LookInputs& in);

}  // namespace widgets
