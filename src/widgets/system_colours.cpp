#include "widgets/system_colours.h"

#include <windows.h>

#include "widgets/win_geometry.h"

namespace widgets {
namespace {

class System final : public ColourScheme {
 public:
  Rgb RoleColour(SysColour role) const override {
    return FromColorRef(::GetSysColor(static_cast<int>(role)));
  }
};

}  // namespace

const ColourScheme& SystemScheme() {
  static const System scheme;
  return scheme;
}

}  // namespace widgets
