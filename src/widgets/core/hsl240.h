// Lightening and darkening of colours in HSL space, each component an integer
// on a 0..240 scale held in a byte. The conversions round to nearest with
// halves to even, divide the hue by 239 on the way back to RGB, and take the
// lightness amounts as unsigned bytes: these details decide the exact shades
// of the flat frames (button shadow raised by 30 is (159,159,159)).
#pragma once

#include <cstdint>

#include "widgets/core/colour.h"

namespace widgets {

struct Hsl240 {
  std::uint8_t h = 0, s = 0, l = 0;  // each on 0..240
  friend bool operator==(Hsl240 a, Hsl240 b) { return a.h == b.h && a.s == b.s && a.l == b.l; }
};

Hsl240 RgbToHsl240(Rgb colour);
Hsl240 RgbToHsl240(Colour colour, const ColourScheme& scheme);

// Any byte values are accepted: a lightness above 240 gives channels that
// are capped at full intensity, a hue of 239 or 240 lands in sextant 6 and is
// drawn as sextant 0 (the red end).
Rgb Hsl240ToRgb(std::uint8_t h, std::uint8_t s, std::uint8_t l);

// L := min(L + amount, 255) and L := max(L - amount, 0). Only the low 8 bits
// of the amount count. The result is always an RGB colour.
Colour RaiseLightness(Colour colour, unsigned amount, const ColourScheme& scheme);
Colour LowerLightness(Colour colour, unsigned amount, const ColourScheme& scheme);
// Negative amounts lower, positive ones raise (magnitude cut to 8 bits), and
// 0 returns the colour itself, a system role included.
Colour ShiftLightness(Colour colour, int amount, const ColourScheme& scheme);

}  // namespace widgets
