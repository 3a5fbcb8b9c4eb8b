#include "widgets/core/colour.h"

namespace widgets {
Rgb Colour::Resolve(const ColourScheme& scheme) const {
  if (IsNone()) return {0, 0, 0};
  if (IsRole()) return scheme.RoleColour(static_cast<SysColour>(value_ & 0xFFu));
  return Rgb{static_cast<std::uint8_t>(value_ & 0xFFu),
             static_cast<std::uint8_t>((value_ >> 8) & 0xFFu),
             static_cast<std::uint8_t>((value_ >> 16) & 0xFFu)};
}

}  // namespace widgets
