// Colour conversions and lightness shifts on the 0..240 HSL scale.
#include "widgets/core/hsl240.h"

#include <gtest/gtest.h>

#include <cfenv>

#include "classic_scheme.h"
#include "picture.h"
#include "widgets/core/round_half_even.h"

namespace widgets {
namespace {

const ColourScheme& kClassic = ClassicScheme();

Rgb Raise(Rgb c, unsigned n) {
  return RaiseLightness(Colour::FromRgb(c), n, kClassic).Resolve(kClassic);
}
Rgb Lower(Rgb c, unsigned n) {
  return LowerLightness(Colour::FromRgb(c), n, kClassic).Resolve(kClassic);
}

TEST(Hsl240, ConvertsPrimariesAndGreysToTheScale) {
  EXPECT_EQ(RgbToHsl240(Rgb{255, 0, 0}), (Hsl240{0, 240, 120}));
  EXPECT_EQ(RgbToHsl240(Rgb{0, 255, 0}), (Hsl240{80, 240, 120}));
  EXPECT_EQ(RgbToHsl240(Rgb{0, 0, 255}), (Hsl240{160, 240, 120}));
  EXPECT_EQ(RgbToHsl240(Rgb{255, 255, 255}), (Hsl240{0, 0, 240}));
  EXPECT_EQ(RgbToHsl240(Rgb{0, 0, 0}), (Hsl240{0, 0, 0}));
  // 128 / 255 x 240 = 120.47
  EXPECT_EQ(RgbToHsl240(Rgb{128, 128, 128}), (Hsl240{0, 0, 120}));
  // Negative hues wrap round: magenta is (g - b) / d / 6 + 1 = 5/6 -> 200.
  EXPECT_EQ(RgbToHsl240(Rgb{255, 0, 255}).h, 200);
  EXPECT_EQ(RgbToHsl240(Rgb{255, 0, 1}).h, 240);  // 0.9993 x 240 = 239.84
  EXPECT_EQ(RgbToHsl240(Rgb{255, 255, 0}).h, 40);
}

TEST(Hsl240, RoundsChannelHalvesToEven) {
  // A grey of lightness L gives L / 240 x 255 per channel: exact halves for
  // L = 8, 24, 40... (8.5, 25.5, 42.5); halves go to the even neighbour.
  EXPECT_EQ(Hsl240ToRgb(0, 0, 8), (Rgb{8, 8, 8}));
  EXPECT_EQ(Hsl240ToRgb(0, 0, 24), (Rgb{26, 26, 26}));
  EXPECT_EQ(Hsl240ToRgb(0, 0, 40), (Rgb{42, 42, 42}));
  EXPECT_EQ(Hsl240ToRgb(0, 0, 120), (Rgb{128, 128, 128}));
}

TEST(Hsl240, HueIsDividedBy239OnTheWayBack) {
  // H = 80 is pure green on the way in, but 80 / 239 x 6 = 2.0084, so blue
  // rises a little: 0.0084 x 255 = 2.13, (0, 255, 2) rather than (0, 255, 0).
  EXPECT_EQ(Hsl240ToRgb(80, 240, 120), (Rgb{0, 255, 2}));
  // H = 239 gives x = 6: sextant 6 is drawn as sextant 0 with f = 0: red.
  EXPECT_EQ(Hsl240ToRgb(239, 240, 120), (Rgb{255, 0, 0}));
  // H = 240 gives x = 6.025: still sextant 6, drawn as sextant 0 with green
  // rising by f = 0.025 x 255 = 6.4.
  EXPECT_EQ(Hsl240ToRgb(240, 240, 120), (Rgb{255, 6, 0}));
  // Just below: sextant 5, (m2, m1, falling).
  EXPECT_EQ(Hsl240ToRgb(238, 240, 120), (Rgb{255, 0, 6}));
}

TEST(Hsl240, BlackWhenLightnessIsZero) { EXPECT_EQ(Hsl240ToRgb(100, 200, 0), (Rgb{0, 0, 0})); }

TEST(Hsl240, RoundTripsOverAGridOfColours) {
  // Greys and the cube's edges come back exactly; other colours come back
  // within the precision of the 0..240 scale and the 239 hue divisor.
  for (int v : {0, 1, 64, 127, 128, 200, 254, 255}) {
    const Hsl240 hsl = RgbToHsl240(Rgb{std::uint8_t(v), std::uint8_t(v), std::uint8_t(v)});
    const Rgb back = Hsl240ToRgb(hsl.h, hsl.s, hsl.l);
    EXPECT_NEAR(back.r, v, 1) << v;
    EXPECT_EQ(back.r, back.g);
    EXPECT_EQ(back.g, back.b);
  }
  for (int r = 0; r <= 255; r += 17) {
    for (int g = 0; g <= 255; g += 51) {
      for (int b = 0; b <= 255; b += 85) {
        const Rgb in{std::uint8_t(r), std::uint8_t(g), std::uint8_t(b)};
        const Hsl240 hsl = RgbToHsl240(in);
        const Rgb back = Hsl240ToRgb(hsl.h, hsl.s, hsl.l);
        EXPECT_NEAR(back.r, r, 8) << in;
        EXPECT_NEAR(back.g, g, 8) << in;
        EXPECT_NEAR(back.b, b, 8) << in;
      }
    }
  }
}

TEST(Lightness, RaisingButtonShadowBy30Gives159) {
  EXPECT_EQ(Raise({128, 128, 128}, 30), (Rgb{159, 159, 159}));
  // Through the system role of the classic scheme, as the flat frames do.
  EXPECT_EQ(ShiftLightness(colours::kButtonShadow, 30, kClassic).Resolve(kClassic),
            (Rgb{159, 159, 159}));
}

TEST(Rounding, HalvesGoToEvenWhateverTheHostsRoundingMode) {
  const int saved = std::fegetround();
  for (int mode : {FE_TONEAREST, FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
    std::fesetround(mode);
    EXPECT_EQ(RoundHalfEven(0.5), 0.0) << mode;
    EXPECT_EQ(RoundHalfEven(1.5), 2.0) << mode;
    EXPECT_EQ(RoundHalfEven(2.5), 2.0) << mode;
    EXPECT_EQ(RoundHalfEven(74.25), 74.0) << mode;
    EXPECT_EQ(RoundHalfEven(159.375), 159.0) << mode;
    EXPECT_EQ(RoundHalfEven(159.6), 160.0) << mode;
    EXPECT_EQ(RaiseLightness(Colour::FromRgb(128, 128, 128), 30, ClassicScheme()),
              Colour::FromRgb(159, 159, 159))
        << mode;
  }
  std::fesetround(saved);
}

TEST(Lightness, WhiteStaysWhiteAndBlackStaysBlack) {
  // L = 240 + 30 = 270 is capped at 255; every channel is capped at 1.0.
  EXPECT_EQ(Raise({255, 255, 255}, 30), (Rgb{255, 255, 255}));
  EXPECT_EQ(Raise({255, 255, 255}, 255), (Rgb{255, 255, 255}));
  EXPECT_EQ(Lower({0, 0, 0}, 10), (Rgb{0, 0, 0}));
  EXPECT_EQ(Lower({40, 40, 40}, 200), (Rgb{0, 0, 0}));
}

TEST(Lightness, LightnessAboveTheScaleSaturatesChannels) {
  // Light grey (200): L = 188, raised by 60 to 248 > 240: white.
  EXPECT_EQ(Raise({200, 200, 200}, 60), (Rgb{255, 255, 255}));
  // A colour with S > 0 raised past 240 keeps its capped channels at 255.
  EXPECT_EQ(Raise({255, 0, 0}, 200), (Rgb{255, 255, 255}));
}

TEST(Lightness, AmountsKeepOnlyTheirLowEightBits) {
  EXPECT_EQ(Raise({128, 128, 128}, 256 + 30), (Rgb{159, 159, 159}));
  EXPECT_EQ(Raise({128, 128, 128}, 256), (Rgb{128, 128, 128}));
  EXPECT_EQ(Lower({128, 128, 128}, 512 + 30), Lower({128, 128, 128}, 30));
  EXPECT_EQ(ShiftLightness(Colour::FromRgb(128, 128, 128), -(256 + 30), kClassic),
            LowerLightness(Colour::FromRgb(128, 128, 128), 30, kClassic));
}

TEST(Lightness, ShiftDispatchesOnTheSign) {
  const Colour grey = Colour::FromRgb(128, 128, 128);
  EXPECT_EQ(ShiftLightness(grey, 30, kClassic), RaiseLightness(grey, 30, kClassic));
  EXPECT_EQ(ShiftLightness(grey, -30, kClassic), LowerLightness(grey, 30, kClassic));
  // L = 120 - 30 = 90: 90 / 240 x 255 = 95.625.
  EXPECT_EQ(ShiftLightness(grey, -30, kClassic).Resolve(kClassic), (Rgb{96, 96, 96}));
}

TEST(Lightness, ShiftByZeroReturnsTheColourItselfEvenForASystemRole) {
  const Colour role = colours::kButtonShadow;
  EXPECT_EQ(ShiftLightness(role, 0, kClassic), role);
  EXPECT_TRUE(ShiftLightness(role, 0, kClassic).IsRole());
  // A non-zero shift resolves the role first: the result is plain RGB.
  EXPECT_FALSE(ShiftLightness(role, 1, kClassic).IsRole());
  EXPECT_EQ(ShiftLightness(Colour::FromRgb(1, 2, 3), 0, kClassic), Colour::FromRgb(1, 2, 3));
}

TEST(ColourValue, EncodesRgbRolesAndNone) {
  EXPECT_EQ(Colour::FromRgb(1, 2, 3).Value(), 0x00030201u);
  EXPECT_EQ(colours::kButtonFace.Value(), 0xFF00000Fu);
  EXPECT_TRUE(Colour::None().IsNone());
  EXPECT_FALSE(Colour::None().IsRole());
  EXPECT_EQ(colours::kButtonShadow.Resolve(kClassic), (Rgb{128, 128, 128}));
  EXPECT_EQ(Colour::FromRgb(240, 240, 240).Resolve(kClassic), (Rgb{240, 240, 240}));
}

}  // namespace
}  // namespace widgets
