// The colour maths and the bar's rounding give the default-mode results
// whatever floating point rounding mode (and, on i686, x87 precision) the
// host has set, and leave the host's mode as it was.
#include <gtest/gtest.h>

#include <cfenv>
#include <cstdint>
#include <sstream>
#include <vector>

#include "classic_scheme.h"
#include "picture.h"
#include "widgets/core/hsl240.h"
#include "widgets/core/progress_bar_layout.h"

namespace widgets {
namespace {

const ColourScheme& kClassic = ClassicScheme();

std::uint8_t Byte(int value) { return static_cast<std::uint8_t>(value); }

// Every grey, then a spread of colours over the whole cube.
std::vector<Rgb> Colours() {
  std::vector<Rgb> colours;
  for (int v = 0; v < 256; ++v) colours.push_back(Rgb{Byte(v), Byte(v), Byte(v)});
  for (int r = 0; r < 256; r += 3) {
    for (int g = 1; g < 256; g += 5) {
      for (int b = 2; b < 256; b += 7) colours.push_back(Rgb{Byte(r), Byte(g), Byte(b)});
    }
  }
  return colours;
}

struct Results {
  std::vector<Hsl240> hsl;
  std::vector<Rgb> rgb;  // from every hue and lightness byte, a spread of saturations
  std::vector<Rgb> shifted;
  std::vector<int> percent;
  std::vector<int> filled;
};

Results Compute(const std::vector<Rgb>& colours) {
  Results out;
  for (const Rgb c : colours) {
    out.hsl.push_back(RgbToHsl240(c));
    out.shifted.push_back(RaiseLightness(Colour::FromRgb(c), 30, kClassic).Resolve(kClassic));
    out.shifted.push_back(LowerLightness(Colour::FromRgb(c), 17, kClassic).Resolve(kClassic));
  }
  for (int h = 0; h < 256; ++h) {
    for (int s = 0; s < 256; s += 15) {
      for (int l = 0; l < 256; ++l) out.rgb.push_back(Hsl240ToRgb(Byte(h), Byte(s), Byte(l)));
    }
  }
  for (int total = 1; total <= 160; ++total) {
    ProgressBarModel bar;
    bar.SetTotalParts(total);
    for (int parts = 1; parts <= total; ++parts) {
      bar.SetPartsComplete(parts);
      out.percent.push_back(bar.Percent());
    }
  }
  for (int width = 0; width <= 320; ++width) {
    for (int percent = 0; percent <= 100; ++percent) {
      const Rect r = BarFilledRect(Rect{0, 0, width, 10}, static_cast<std::uint16_t>(percent),
                                   BarOrientation::kHorizontal);
      out.filled.push_back(r.right);
    }
  }
  return out;
}

template <class T>
std::string Differences(const char* what, const std::vector<T>& expected,
                        const std::vector<T>& actual) {
  std::ostringstream text;
  std::size_t count = 0;
  for (std::size_t i = 0; i < expected.size() && i < actual.size(); ++i) {
    if (expected[i] == actual[i]) continue;
    if (++count <= 3) text << what << " #" << i << " differs; ";
  }
  if (expected.size() != actual.size()) text << what << " sizes differ; ";
  if (count > 3) text << count << " " << what << " results differ in all; ";
  return text.str();
}

std::string Differences(const Results& expected, const Results& actual) {
  return Differences("HSL", expected.hsl, actual.hsl) +
         Differences("RGB", expected.rgb, actual.rgb) +
         Differences("lightness shift", expected.shifted, actual.shifted) +
         Differences("percent", expected.percent, actual.percent) +
         Differences("fill", expected.filled, actual.filled);
}

#if defined(__i386__)
// The x87 precision-control field (bits 8-9); 0 is 24-bit single precision.
std::uint16_t X87ControlWord() {
  std::uint16_t word = 0;
  asm volatile("fnstcw %0" : "=m"(word));
  return word;
}
void SetX87ControlWord(std::uint16_t word) { asm volatile("fldcw %0" : : "m"(word)); }
#endif

class HostFloatMode : public ::testing::Test {
 protected:
  void TearDown() override {
    std::fesetround(FE_TONEAREST);
#if defined(__i386__)
    SetX87ControlWord(savedX87_);
#endif
  }
#if defined(__i386__)
  const std::uint16_t savedX87_ = X87ControlWord();
#endif
};

TEST_F(HostFloatMode, GreysGetTheLightnessOfTheRulesInEveryRoundingMode) {
  for (int mode : {FE_TONEAREST, FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
    ASSERT_EQ(std::fesetround(mode), 0);
    for (int v = 0; v < 256; ++v) {
      // L = Round(v / 255 x 240) = Round(v x 16 / 17), never a half.
      const int lightness = (v * 32 + 17) / 34;
      EXPECT_EQ(RgbToHsl240(Rgb{Byte(v), Byte(v), Byte(v)}),
                (Hsl240{0, 0, static_cast<std::uint8_t>(lightness)}))
          << "grey " << v << ", mode " << mode;
    }
    // Channel halves of greys go to even: 8.5, 25.5, 42.5.
    EXPECT_EQ(Hsl240ToRgb(0, 0, 8), (Rgb{8, 8, 8})) << mode;
    EXPECT_EQ(Hsl240ToRgb(0, 0, 24), (Rgb{26, 26, 26})) << mode;
    EXPECT_EQ(Hsl240ToRgb(0, 0, 40), (Rgb{42, 42, 42})) << mode;
    EXPECT_EQ(std::fegetround(), mode);
  }
}

TEST_F(HostFloatMode, EveryResultIsTheDefaultModesOneAndTheHostsModeStays) {
  const std::vector<Rgb> colours = Colours();
  const Results expected = Compute(colours);
  for (int mode : {FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO, FE_TONEAREST}) {
    ASSERT_EQ(std::fesetround(mode), 0);
    const Results actual = Compute(colours);
    EXPECT_EQ(std::fegetround(), mode);
    EXPECT_EQ(Differences(expected, actual), "") << "rounding mode " << mode;
  }
}

#if defined(__i386__)
TEST_F(HostFloatMode, X87SinglePrecisionDoesNotReachTheResults) {
  const std::vector<Rgb> colours = Colours();
  const Results expected = Compute(colours);
  for (int mode : {FE_TONEAREST, FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
    ASSERT_EQ(std::fesetround(mode), 0);
    const std::uint16_t single = static_cast<std::uint16_t>(X87ControlWord() & ~0x0300);
    SetX87ControlWord(single);
    const Results actual = Compute(colours);
    EXPECT_EQ(X87ControlWord(), single);
    EXPECT_EQ(Differences(expected, actual), "") << "rounding mode " << mode;
  }
}
#endif

}  // namespace
}  // namespace widgets
