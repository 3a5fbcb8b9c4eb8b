#include "widgets/core/hsl240.h"

#include "widgets/core/default_float_mode.h"
#include "widgets/core/round_half_even.h"

#include <algorithm>
#include <cmath>

namespace widgets {
namespace {

// Round to nearest, halves to even, kept to its low 8 bits as a byte keeps an
// integer: a saturation above 240 makes m1 negative, and its channel wraps.
std::uint8_t RoundToByte(double v) {
  return static_cast<std::uint8_t>(static_cast<int>(RoundHalfEven(v)));
}

double Channel(std::uint8_t c) { return static_cast<double>(c) / 255.0; }

std::uint8_t ChannelToByte(double c) { return RoundToByte(std::min(c, 1.0) * 255.0); }

Hsl240 ToHsl(Rgb colour) {
  const double r = Channel(colour.r);
  const double g = Channel(colour.g);
  const double b = Channel(colour.b);
  const double max = std::max({r, g, b});
  const double min = std::min({r, g, b});
  const double l = (max + min) / 2.0;
  double h = 0.0;
  double s = 0.0;
  if (max != min) {
    const double d = max - min;
    s = l < 0.5 ? d / (max + min) : d / (2.0 - max - min);
    if (max == r) {
      h = (g - b) / d;
    } else if (max == g) {
      h = (b - r) / d + 2.0;
    } else {
      h = (r - g) / d + 4.0;
    }
    h = h / 6.0;
    if (h < 0.0) h += 1.0;
  }
  return Hsl240{RoundToByte(h * 240.0), RoundToByte(s * 240.0), RoundToByte(l * 240.0)};
}

Rgb ToRgb(std::uint8_t h, std::uint8_t s, std::uint8_t l) {
  const double lf = static_cast<double>(l) / 240.0;
  const double sf = static_cast<double>(s) / 240.0;
  const double m2 = lf < 0.5 ? lf * (1.0 + sf) : lf + sf - lf * sf;
  if (m2 <= 0.0) return Rgb{0, 0, 0};
  const double m1 = 2.0 * lf - m2;
  const double x = (static_cast<double>(h) / 239.0) * 6.0;
  const int sextant = static_cast<int>(std::trunc(x));
  const double f = x - sextant;
  const double rising = m1 + (m2 - m1) * f;
  const double falling = m2 - (m2 - m1) * f;
  // (R, G, B) by sextant; 6 (hues of 239 and above) and anything else as 0.
  const double channels[6][3] = {{m2, rising, m1},  {falling, m2, m1}, {m1, m2, rising},
                                 {m1, falling, m2}, {rising, m1, m2},  {m2, m1, falling}};
  const double* rgb = channels[sextant >= 0 && sextant < 6 ? sextant : 0];
  return Rgb{ChannelToByte(rgb[0]), ChannelToByte(rgb[1]), ChannelToByte(rgb[2])};
}

}  // namespace

Hsl240 RgbToHsl240(Rgb colour) { return InDefaultFloatMode(ToHsl, colour); }

Hsl240 RgbToHsl240(Colour colour, const ColourScheme& scheme) {
  return RgbToHsl240(colour.Resolve(scheme));
}

Rgb Hsl240ToRgb(std::uint8_t h, std::uint8_t s, std::uint8_t l) {
  return InDefaultFloatMode(ToRgb, h, s, l);
}

Colour RaiseLightness(Colour colour, unsigned amount, const ColourScheme& scheme) {
  const Hsl240 hsl = RgbToHsl240(colour, scheme);
  const int l = std::min(static_cast<int>(hsl.l) + static_cast<int>(amount & 0xFFu), 255);
  return Colour::FromRgb(Hsl240ToRgb(hsl.h, hsl.s, static_cast<std::uint8_t>(l)));
}

Colour LowerLightness(Colour colour, unsigned amount, const ColourScheme& scheme) {
  const Hsl240 hsl = RgbToHsl240(colour, scheme);
  const int l = std::max(static_cast<int>(hsl.l) - static_cast<int>(amount & 0xFFu), 0);
  return Colour::FromRgb(Hsl240ToRgb(hsl.h, hsl.s, static_cast<std::uint8_t>(l)));
}

Colour ShiftLightness(Colour colour, int amount, const ColourScheme& scheme) {
  if (amount < 0) {
    return LowerLightness(colour, static_cast<unsigned>(-static_cast<long long>(amount)), scheme);
  }
  if (amount == 0) return colour;
  return RaiseLightness(colour, static_cast<unsigned>(amount), scheme);
}

}  // namespace widgets
