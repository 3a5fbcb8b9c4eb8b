// The progress bar's field rules (Percent, parts, OnChange, style, bounds)
// and its geometry: fill rectangles, text anchor and the classic frame.
#include <gtest/gtest.h>

#include <vector>

#include "classic_scheme.h"
#include "picture.h"
#include "widgets/core/progress_bar_layout.h"

namespace widgets {
namespace {

const ColourScheme& kScheme = ClassicScheme();
constexpr Rect kWindowBar = {0, 0, 299, 24};  // Progress_Step
constexpr Rect kWindowField = {1, 1, 298, 23};

ProgressBarModel WindowBar() {
  ProgressBarModel bar;
  bar.borderOuter = fsFlat;
  return bar;
}

TEST(ProgressBarModel, DefaultsAreThoseOfATraditionalBar) {
  ProgressBarModel bar;
  EXPECT_EQ(bar.Percent(), 0);
  EXPECT_TRUE(bar.showPercent);
  EXPECT_EQ(bar.Style(), BarStyle::kTraditional);
  EXPECT_EQ(bar.backColor, colours::kWhite);
  EXPECT_EQ(bar.BarColor(), colours::kHighlight);
  EXPECT_EQ(bar.borderColor, colours::kButtonFace);
  EXPECT_EQ(bar.borderOuter, fsLowered);
  EXPECT_EQ(bar.borderInner, fsNone);
  EXPECT_EQ(bar.flatColorAdjustment, 30);
  EXPECT_EQ(bar.interiorOffset, 0);
  EXPECT_EQ(bar.Orientation(), BarOrientation::kHorizontal);
}

TEST(ProgressBarModel, WritingANewPercentRaisesOnChangeOnce) {
  ProgressBarModel bar;
  std::vector<int> seen;
  bar.SetOnChange([&](std::uint16_t p) { seen.push_back(p); });
  EXPECT_TRUE(bar.SetPercent(25));
  EXPECT_FALSE(bar.SetPercent(25));
  EXPECT_TRUE(bar.SetPercent(150));  // not limited to 100
  EXPECT_EQ(bar.Percent(), 150);
  EXPECT_EQ(seen, (std::vector<int>{25, 150}));
}

TEST(ProgressBarModel, PartsCompleteIsCappedAndSetsARoundedPercent) {
  ProgressBarModel bar;
  std::vector<int> seen;
  bar.SetOnChange([&](std::uint16_t p) { seen.push_back(p); });
  bar.SetPartsComplete(3);  // TotalParts 0: stored as min(3, 0), Percent untouched
  EXPECT_EQ(bar.PartsComplete(), 0);
  EXPECT_TRUE(seen.empty());
  bar.SetTotalParts(8);
  bar.SetPartsComplete(1);  // 12.5 -> 12 (halves to even)
  EXPECT_EQ(bar.Percent(), 12);
  bar.SetPartsComplete(3);  // 37.5 -> 38
  EXPECT_EQ(bar.Percent(), 38);
  bar.SetPartsComplete(20);  // capped at 8
  EXPECT_EQ(bar.PartsComplete(), 8);
  EXPECT_EQ(bar.Percent(), 100);
  bar.SetTotalParts(5);  // resets both
  EXPECT_EQ(bar.PartsComplete(), 0);
  EXPECT_EQ(bar.Percent(), 0);
  EXPECT_EQ(seen, (std::vector<int>{12, 38, 100, 0}));
}

TEST(ProgressBarModel, WhileLoadingThePartsLeavePercentAlone) {
  ProgressBarModel bar;
  bar.SetPercent(40);
  bar.SetLoading(true);
  bar.SetTotalParts(10);
  bar.SetPartsComplete(5);
  EXPECT_EQ(bar.TotalParts(), 10);
  EXPECT_EQ(bar.PartsComplete(), 5);
  EXPECT_EQ(bar.Percent(), 40);
  bar.SetLoading(false);
  bar.SetPartsComplete(7);
  EXPECT_EQ(bar.Percent(), 70);
}

TEST(ProgressBarModel, BarStyleSetsShowPercentAndInteriorOffset) {
  ProgressBarModel bar;
  bar.SetBarStyle(BarStyle::kSegmented);
  EXPECT_FALSE(bar.showPercent);
  EXPECT_EQ(bar.interiorOffset, 1);
  bar.SetBarStyle(BarStyle::kTraditional);
  EXPECT_TRUE(bar.showPercent);
  EXPECT_EQ(bar.interiorOffset, 0);
}

TEST(ProgressBarModel, BarColourAlsoSetsTheFontColour) {
  ProgressBarModel bar;
  bar.SetBarColor(Colour::FromRgb(1, 2, 3));
  EXPECT_EQ(bar.FontColor(), Colour::FromRgb(1, 2, 3));
}

TEST(ProgressBarModel, TallerThanWideTurnsVertical) {
  ProgressBarModel bar;
  bar.SetBoundsSize(24, 100);
  EXPECT_EQ(bar.Orientation(), BarOrientation::kVertical);
  bar.SetBoundsSize(24, 24);
  EXPECT_EQ(bar.Orientation(), BarOrientation::kHorizontal);
}

TEST(ProgressBarLayout, FilledPartOfTheWindowsBar) {
  const auto h = BarOrientation::kHorizontal;
  EXPECT_EQ(BarFilledRect(kWindowField, 0, h), (Rect{1, 1, 1, 23}));
  // Round(297 x 0.25) = Round(74.25) = 74.
  EXPECT_EQ(BarFilledRect(kWindowField, 25, h), (Rect{1, 1, 75, 23}));
  EXPECT_EQ(BarFilledRect(kWindowField, 100, h), kWindowField);
  EXPECT_EQ(BarFilledRect(kWindowField, 150, h), kWindowField);
  // 2 x 25% = 0.5 rounds to 0, 6 x 25% = 1.5 to 2.
  EXPECT_EQ(BarFilledRect(Rect{0, 0, 2, 1}, 25, h).right, 0);
  EXPECT_EQ(BarFilledRect(Rect{0, 0, 6, 1}, 25, h).right, 2);
  EXPECT_EQ(BarRemainderRect(kWindowField, Rect{1, 1, 75, 23}, h), (Rect{75, 1, 298, 23}));
}

TEST(ProgressBarLayout, VerticalBarsFillFromTheBottom) {
  const auto v = BarOrientation::kVertical;
  const Rect field{1, 1, 23, 99};  // a 24 x 100 bar in its flat frame
  const Rect filled = BarFilledRect(field, 25, v);
  EXPECT_EQ(filled, (Rect{1, 75, 23, 99}));  // Round(98 x 0.25) = 24 (24.5 to even)
  EXPECT_EQ(BarRemainderRect(field, filled, v), (Rect{1, 1, 23, 75}));
}

TEST(ProgressBarLayout, TextIsAnchoredOnTheRightEdgeHalved) {
  EXPECT_EQ(BarTextCentreX(kWindowField), 149);
  EXPECT_EQ(BarTextCentreX(Rect{3, 3, 296, 21}), 148);
  // Not the midpoint of the field: a field from 100 to 200 is centred on 100.
  EXPECT_EQ(BarTextCentreX(Rect{100, 0, 200, 10}), 100);
  EXPECT_EQ(BarTextTop(kWindowField, 12), 6);  // 1 + (22 - 12) / 2
  EXPECT_EQ(BarTextTop(Rect{3, 3, 296, 21}, 13), 5);
}

TEST(ProgressBarLayout, TextShowsThePercentWhenAsked) {
  ProgressBarModel bar;
  EXPECT_EQ(BarText(bar), "0%");
  bar.SetPercent(150);
  EXPECT_EQ(BarText(bar), "150%");
  bar.showPercent = false;
  EXPECT_EQ(BarText(bar), "");
}

TEST(ProgressBarLayout, ClassicFlatFrameOfTheWindowsBar) {
  PixelCanvas canvas(299, 24, Rgb{255, 0, 255});
  const Rect field = PaintBarFrameClassic(canvas, kWindowBar, WindowBar(), kScheme);
  EXPECT_EQ(field, kWindowField);
  const Rgb flat{159, 159, 159};
  for (int x = 0; x < 299; ++x) {
    EXPECT_EQ(canvas.At(x, 0), flat);
    EXPECT_EQ(canvas.At(x, 23), flat);
  }
  for (int y = 0; y < 24; ++y) {
    EXPECT_EQ(canvas.At(0, y), flat);
    EXPECT_EQ(canvas.At(298, y), flat);
  }
  // Inside the frame the border colour (button face) until the bar paints.
  EXPECT_EQ(canvas.At(1, 1), (Rgb{212, 208, 200}));
  EXPECT_EQ(ThemedBarField(kWindowBar, WindowBar()), (Rect{3, 3, 296, 21}));
}

TEST(ProgressBarLayout, ClassicFrameWithBorderWidthInnerFlatAndInteriorOffset) {
  ProgressBarModel bar;
  bar.borderOuter = fsLowered;
  bar.borderWidth = 1;
  bar.borderColor = Colour::FromRgb(7, 7, 7);
  bar.borderInner = fsFlat;
  bar.flatColorAdjustment = 0;
  bar.interiorOffset = 1;
  bar.backColor = Colour::FromRgb(9, 9, 9);
  PixelCanvas canvas(10, 10, Rgb{255, 0, 255});
  EXPECT_EQ(PaintBarFrameClassic(canvas, RectOfSize(10, 10), bar, kScheme), (Rect{5, 5, 5, 5}));
  EXPECT_EQ(canvas.At(1, 1), (Rgb{64, 64, 64}));     // inner pass of fsLowered
  EXPECT_EQ(canvas.At(2, 5), (Rgb{7, 7, 7}));        // BorderWidth ring
  EXPECT_EQ(canvas.At(3, 3), (Rgb{7, 7, 7}));        // corner left out by the flat inner frame
  EXPECT_EQ(canvas.At(3, 4), (Rgb{128, 128, 128}));  // flat inner frame, unadjusted
  EXPECT_EQ(canvas.At(4, 4), (Rgb{9, 9, 9}));        // interior offset outline
}

}  // namespace
}  // namespace widgets
