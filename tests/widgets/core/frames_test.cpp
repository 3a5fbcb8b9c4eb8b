// Side lines, bevels and every frame style, pixel by pixel on a memory canvas
// with the classic scheme.
#include "widgets/core/frames.h"

#include <gtest/gtest.h>

#include "classic_scheme.h"
#include "picture.h"

namespace widgets {
namespace {

using testing::Legend;
using testing::Picture;
using Rows = std::vector<std::string>;

const ColourScheme& kScheme = ClassicScheme();
constexpr Rgb kPaper{255, 0, 255};  // never a frame colour
constexpr Rgb kA{1, 1, 1};
constexpr Rgb kB{2, 2, 2};

// S button shadow, H button highlight, D dark 3-D shadow, F button face
// (also 3-D light in the classic scheme), T button text, '.' untouched.
const Legend kFrameLegend = {{'.', kPaper},       {'S', {128, 128, 128}}, {'H', {255, 255, 255}},
                             {'D', {64, 64, 64}}, {'F', {212, 208, 200}}, {'T', {0, 0, 0}}};

Rows DrawFrame(FrameStyle style, Sides sides, Rect* inner = nullptr, int size = 6) {
  PixelCanvas canvas(size, size, kPaper);
  const Rect result = StrokeFrame(canvas, RectOfSize(size, size), style, sides, kScheme);
  if (inner) *inner = result;
  return Picture(canvas, kFrameLegend);
}

TEST(PixelCanvasLine, LeavesOutItsEndPoint) {
  PixelCanvas canvas(5, 5, kPaper);
  canvas.Line({0, 0}, {4, 0}, kA);
  canvas.Line({0, 4}, {4, 0}, kB);
  EXPECT_EQ(Picture(canvas, {{'.', kPaper}, {'a', kA}, {'b', kB}}),
            (Rows{"aaaa.", "...b.", "..b..", ".b...", "b...."}));
}

TEST(StrokeSides, DrawsUpperLeftFirstSoCornersEndInTheLowerRightColour) {
  PixelCanvas canvas(5, 4, kPaper);
  const Rect inner = StrokeSides(canvas, RectOfSize(5, 4), kA, kB, kAllSides);
  EXPECT_EQ(Picture(canvas, {{'.', kPaper}, {'a', kA}, {'b', kB}}),
            (Rows{"aaaab", "a...b", "a...b", "bbbbb"}));
  EXPECT_EQ(inner, (Rect{1, 1, 4, 3}));
}

TEST(StrokeSides, DrawsOnlyTheSidesInTheSetAndMovesInOnlyThere) {
  PixelCanvas canvas(4, 4, kPaper);
  const Rect inner = StrokeSides(canvas, RectOfSize(4, 4), kA, kB, kSideTop | kSideRight);
  EXPECT_EQ(Picture(canvas, {{'.', kPaper}, {'a', kA}, {'b', kB}}),
            (Rows{"aaab", "...b", "...b", "...b"}));
  EXPECT_EQ(inner, (Rect{0, 1, 3, 4}));
}

TEST(StrokeBevel, RepeatsTheSidesInwardsWidthTimes) {
  PixelCanvas canvas(6, 5, kPaper);
  const Rect inner = StrokeBevel(canvas, RectOfSize(6, 5), kA, kB, kAllSides, 2);
  EXPECT_EQ(Picture(canvas, {{'.', kPaper}, {'a', kA}, {'b', kB}}),
            (Rows{"aaaaab", "aaaabb", "aa..bb", "abbbbb", "bbbbbb"}));
  EXPECT_EQ(inner, (Rect{2, 2, 4, 3}));
}

TEST(StrokeFrame, GrooveIsATwoPixelEtchedEdge) {
  Rect inner;
  EXPECT_EQ(DrawFrame(fsGroove, kAllSides, &inner),
            (Rows{"SSSSSH", "SHHHSH", "SH..SH", "SH..SH", "SSSSSH", "HHHHHH"}));
  EXPECT_EQ(inner, (Rect{2, 2, 4, 4}));
}

TEST(StrokeFrame, BumpIsTheGrooveWithItsColoursExchanged) {
  EXPECT_EQ(DrawFrame(fsBump, kAllSides),
            (Rows{"HHHHHS", "HSSSHS", "HS..HS", "HS..HS", "HHHHHS", "SSSSSS"}));
}

TEST(StrokeFrame, GrooveOnPartialSideSetsSetsTheLoneCornerPixels) {
  // Top only: (R-1, T) in the upper-left colour, (L, T+1) in the lower-right.
  Rect inner;
  EXPECT_EQ(DrawFrame(fsGroove, kSideTop, &inner),
            (Rows{"SSSSSS", "HHHHHH", "......", "......", "......", "......"}));
  EXPECT_EQ(inner, (Rect{0, 2, 6, 6}));
  // Left only: (L+1, T) and the bottom end (L, B-1) in the lower-right colour
  // and the upper-left colour respectively.
  EXPECT_EQ(DrawFrame(fsGroove, kSideLeft, &inner),
            (Rows{"SH....", "SH....", "SH....", "SH....", "SH....", "SH...."}));
  EXPECT_EQ(inner, (Rect{2, 0, 6, 6}));
  EXPECT_EQ(DrawFrame(fsGroove, kSideLeft | kSideTop),
            (Rows{"SSSSSS", "SHHHHH", "SH....", "SH....", "SH....", "SH...."}));
  EXPECT_EQ(DrawFrame(fsGroove, kSideRight | kSideBottom),
            (Rows{"....SH", "....SH", "....SH", "....SH", "SSSSSH", "HHHHHH"}));
  // Bottom without right: (R-1, B-2) in the upper-left colour.
  EXPECT_EQ(DrawFrame(fsGroove, kSideBottom),
            (Rows{"......", "......", "......", "......", "SSSSSS", "HHHHHH"}));
  // Right without bottom: (R-2, B-1) in the upper-left colour.
  EXPECT_EQ(DrawFrame(fsGroove, kSideRight),
            (Rows{"....SH", "....SH", "....SH", "....SH", "....SH", "....SH"}));
}

TEST(StrokeFrame, GrooveAroundTenByTenLeavesSixBySix) {
  PixelCanvas canvas(10, 10, kPaper);
  const Rect inner = StrokeFrame(canvas, RectOfSize(10, 10), fsGroove, kAllSides, kScheme);
  EXPECT_EQ(inner, (Rect{2, 2, 8, 8}));
  EXPECT_EQ(inner.Width(), 6);
  EXPECT_EQ(inner.Height(), 6);
  for (int y = 2; y < 8; ++y) {
    for (int x = 2; x < 8; ++x) EXPECT_EQ(canvas.At(x, y), kPaper) << x << ',' << y;
  }
}

TEST(StrokeFrame, TwoPassStylesDrawOuterThenInnerPass) {
  Rect inner;
  EXPECT_EQ(DrawFrame(fsLowered, kAllSides, &inner, 4), (Rows{"SSSH", "SDFH", "SFFH", "HHHH"}));
  EXPECT_EQ(inner, (Rect{2, 2, 2, 2}));
  EXPECT_EQ(DrawFrame(fsRaised, kAllSides, nullptr, 5),
            (Rows{"FFFFD", "FHHSD", "FH.SD", "FSSSD", "DDDDD"}));
  EXPECT_EQ(DrawFrame(fsButtonDown, kAllSides, nullptr, 5),
            (Rows{"TTTTT", "TSSST", "TS.ST", "TSSST", "TTTTT"}));
  EXPECT_EQ(DrawFrame(fsButtonUp, kAllSides, nullptr, 5),
            (Rows{"HHHHD", "HFFSD", "HF.SD", "HSSSD", "DDDDD"}));
}

TEST(StrokeFrame, SinglePassStylesUseTheFixedColourTable) {
  Rect inner;
  EXPECT_EQ(DrawFrame(fsFlat, kAllSides, &inner, 4), (Rows{"DDDD", "D..D", "D..D", "DDDD"}));
  EXPECT_EQ(inner, (Rect{1, 1, 3, 3}));
  EXPECT_EQ(DrawFrame(fsStatus, kAllSides, nullptr, 4), (Rows{"SSSH", "S..H", "S..H", "HHHH"}));
  EXPECT_EQ(DrawFrame(fsPopup, kAllSides, nullptr, 4), (Rows{"HHHS", "H..S", "H..S", "SSSS"}));
  EXPECT_EQ(DrawFrame(fsFlatBold, kAllSides, &inner, 5),
            (Rows{"SSSSS", "SSSSS", "SS.SS", "SSSSS", "SSSSS"}));
  EXPECT_EQ(inner, (Rect{2, 2, 3, 3}));
}

TEST(StrokeFrame, NoneDrawsNothingAndKeepsTheRectangle) {
  Rect inner;
  EXPECT_EQ(DrawFrame(fsNone, kAllSides, &inner, 3), (Rows{"...", "...", "..."}));
  EXPECT_EQ(inner, RectOfSize(3, 3));
}

TEST(FrameWidth, FollowsTheStyleAndTheBevelWidthForStatusAndPopup) {
  EXPECT_EQ(FrameWidth(fsNone, 5), 0);
  EXPECT_EQ(FrameWidth(fsFlat, 5), 1);
  EXPECT_EQ(FrameWidth(fsStatus, 3), 3);
  EXPECT_EQ(FrameWidth(fsPopup, 4), 4);
  for (FrameStyle s : {fsGroove, fsBump, fsLowered, fsButtonDown, fsRaised, fsButtonUp, fsFlatBold})
    EXPECT_EQ(FrameWidth(s, 7), 2) << int{s};
}

TEST(CornerlessFrame, LeavesOutTheFourCorners) {
  PixelCanvas canvas(5, 4, kPaper);
  StrokeCornerlessFrame(canvas, RectOfSize(5, 4), kA);
  EXPECT_EQ(Picture(canvas, {{'.', kPaper}, {'a', kA}}),
            (Rows{".aaa.", "a...a", "a...a", ".aaa."}));
}

}  // namespace
}  // namespace widgets
