#include "widgets/core/look_rule.h"

namespace widgets {

bool UseVisualStyles(const LookInputs& in) {
  return in.themeLibraryPresent && in.appThemed && in.themeActive && in.comctlMajor >= 6 &&
         (in.themeAppProperties & kThemeAllowControls) != 0;
}

}  // namespace widgets
