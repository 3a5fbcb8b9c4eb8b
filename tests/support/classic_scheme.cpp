#include "classic_scheme.h"

namespace widgets {
namespace {

class Classic final : public ColourScheme {
 public:
  Rgb RoleColour(SysColour role) const override {
    switch (role) {
      case SysColour::kWindow:
        return {255, 255, 255};
      case SysColour::kWindowText:
        return {0, 0, 0};
      case SysColour::kHighlight:
        return {10, 36, 106};
      case SysColour::kButtonFace:
        return {212, 208, 200};
      case SysColour::kButtonShadow:
        return {128, 128, 128};
      case SysColour::kButtonText:
        return {0, 0, 0};
      case SysColour::kButtonHighlight:
        return {255, 255, 255};
      case SysColour::kDarkShadow3D:
        return {64, 64, 64};
      case SysColour::kLight3D:
        return {212, 208, 200};
    }
    return {0, 0, 0};
  }
};

}  // namespace

const ColourScheme& ClassicScheme() {
  static const Classic scheme;
  return scheme;
}

}  // namespace widgets
