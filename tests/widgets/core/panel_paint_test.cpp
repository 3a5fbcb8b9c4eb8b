// The framed panel's body (frames, fill, grid) and its child-layout area.
#include "widgets/core/panel_paint.h"

#include <gtest/gtest.h>

#include "classic_scheme.h"
#include "picture.h"
#include "widgets/core/hsl240.h"

namespace widgets {
namespace {

using testing::Legend;
using testing::Picture;
using Rows = std::vector<std::string>;

const ColourScheme& kScheme = ClassicScheme();
constexpr Rgb kPaper{255, 0, 255};
constexpr Rgb kShadow{128, 128, 128};
constexpr Rgb kHighlight{255, 255, 255};
constexpr Rgb kFace{212, 208, 200};
constexpr Rgb kFlat{159, 159, 159};  // button shadow raised by 30
constexpr Rgb kPanel1{240, 240, 240};

PanelLook ClientPanel() {  // RzPanel_Client
  PanelLook look;
  look.frames.borderOuter = fsGroove;
  return look;
}

PanelLook BottomPanel() {  // RzPanel1
  PanelLook look;
  look.frames.borderOuter = fsFlat;
  look.color = Colour::FromRgb(240, 240, 240);
  return look;
}

TEST(PanelBody, GroovePanelHasAnEtchedRingAndButtonFaceFill) {
  PixelCanvas canvas(303, 64, kPaper);
  const Rect inner = PaintPanelBody(canvas, RectOfSize(303, 64), ClientPanel(), kScheme);
  EXPECT_EQ(inner, (Rect{2, 2, 301, 62}));
  // Outer ring: shadow on top and left, highlight on bottom and right.
  for (int x = 0; x < 302; ++x) EXPECT_EQ(canvas.At(x, 0), kShadow) << x;
  for (int y = 0; y < 63; ++y) EXPECT_EQ(canvas.At(0, y), kShadow) << y;
  for (int x = 0; x < 303; ++x) EXPECT_EQ(canvas.At(x, 63), kHighlight) << x;
  for (int y = 0; y < 64; ++y) EXPECT_EQ(canvas.At(302, y), kHighlight) << y;
  // Inner ring the reverse.
  for (int x = 1; x < 301; ++x) EXPECT_EQ(canvas.At(x, 1), kHighlight) << x;
  for (int y = 1; y < 62; ++y) EXPECT_EQ(canvas.At(1, y), kHighlight) << y;
  for (int x = 0; x < 302; ++x) EXPECT_EQ(canvas.At(x, 62), kShadow) << x;
  for (int y = 0; y < 63; ++y) EXPECT_EQ(canvas.At(301, y), kShadow) << y;
  for (int y = 2; y < 62; ++y) {
    for (int x = 2; x < 301; ++x) ASSERT_EQ(canvas.At(x, y), kFace) << x << ',' << y;
  }
}

TEST(PanelBody, FlatPanelUsesTheAdjustedFlatColourNotTheFixedTable) {
  PixelCanvas canvas(303, 27, kPaper);
  const Rect inner = PaintPanelBody(canvas, RectOfSize(303, 27), BottomPanel(), kScheme);
  EXPECT_EQ(inner, (Rect{1, 1, 302, 26}));
  for (int x = 0; x < 303; ++x) {
    EXPECT_EQ(canvas.At(x, 0), kFlat) << x;
    EXPECT_EQ(canvas.At(x, 26), kFlat) << x;
  }
  for (int y = 0; y < 27; ++y) {
    EXPECT_EQ(canvas.At(0, y), kFlat) << y;
    EXPECT_EQ(canvas.At(302, y), kFlat) << y;
  }
  for (int y = 1; y < 26; ++y) {
    for (int x = 1; x < 302; ++x) ASSERT_EQ(canvas.At(x, y), kPanel1) << x << ',' << y;
  }
}

TEST(PanelBody, StatusAndPopupUseThePanelsOwnColoursAndBevelWidth) {
  PanelLook look;
  look.frames.borderOuter = fsStatus;
  look.frames.bevelWidth = 2;
  look.frames.borderShadow = Colour::FromRgb(1, 1, 1);
  look.frames.borderHighlight = Colour::FromRgb(2, 2, 2);
  look.transparent = true;
  PixelCanvas canvas(6, 6, kPaper);
  EXPECT_EQ(PaintPanelBody(canvas, RectOfSize(6, 6), look, kScheme), (Rect{2, 2, 4, 4}));
  const Legend legend = {{'.', kPaper}, {'s', {1, 1, 1}}, {'h', {2, 2, 2}}};
  EXPECT_EQ(Picture(canvas, legend),
            (Rows{"sssssh", "sssshh", "ss..hh", "ss..hh", "shhhhh", "hhhhhh"}));
  look.frames.borderOuter = fsPopup;
  PixelCanvas popup(4, 4, kPaper);
  look.frames.bevelWidth = 1;
  PaintPanelBody(popup, RectOfSize(4, 4), look, kScheme);
  EXPECT_EQ(Picture(popup, legend), (Rows{"hhhs", "h..s", "h..s", "ssss"}));
}

TEST(PanelBody, GrooveIgnoresThePanelsOwnHighlightAndShadow) {
  PanelLook look = ClientPanel();
  look.frames.borderShadow = Colour::FromRgb(1, 1, 1);
  look.frames.borderHighlight = Colour::FromRgb(2, 2, 2);
  PixelCanvas canvas(8, 8, kPaper);
  PaintPanelBody(canvas, RectOfSize(8, 8), look, kScheme);
  EXPECT_EQ(canvas.At(3, 0), kShadow);
  EXPECT_EQ(canvas.At(3, 7), kHighlight);
}

TEST(PanelBody, BorderWidthRingAndInnerFrameFollowTheOuterFrame) {
  PanelLook look;
  look.frames.borderOuter = fsFlat;
  look.frames.flatColorAdjustment = 0;  // plain button shadow
  look.frames.borderWidth = 1;
  look.frames.borderColor = Colour::FromRgb(7, 7, 7);
  look.frames.borderInner = fsStatus;
  look.color = Colour::FromRgb(9, 9, 9);
  PixelCanvas canvas(8, 8, kPaper);
  EXPECT_EQ(PaintPanelBody(canvas, RectOfSize(8, 8), look, kScheme), (Rect{3, 3, 5, 5}));
  const Legend legend = {
      {'S', kShadow}, {'H', kHighlight}, {'w', {7, 7, 7}}, {'c', {9, 9, 9}}, {'.', kPaper}};
  EXPECT_EQ(Picture(canvas, legend), (Rows{"SSSSSSSS", "SwwwwwwS", "SwSSSHwS", "SwSccHwS",
                                           "SwSccHwS", "SwHHHHwS", "SwwwwwwS", "SSSSSSSS"}));
}

TEST(PanelBody, TransparentPanelLeavesTheInsideAlone) {
  PanelLook look = BottomPanel();
  look.transparent = true;
  PixelCanvas canvas(5, 5, kPaper);
  PaintPanelBody(canvas, RectOfSize(5, 5), look, kScheme);
  EXPECT_EQ(canvas.At(2, 2), kPaper);
  EXPECT_EQ(canvas.At(0, 0), kFlat);
}

TEST(PanelBody, GridDotsEveryEightPixelsInsideTheFrame) {
  PanelLook look;
  look.frames.borderOuter = fsNone;
  look.showGrid = true;
  PixelCanvas canvas(17, 17, kPaper);
  PaintPanelBody(canvas, RectOfSize(17, 17), look, kScheme);
  EXPECT_EQ(canvas.At(0, 0), kShadow);
  EXPECT_EQ(canvas.At(8, 0), kShadow);
  EXPECT_EQ(canvas.At(0, 16), kShadow);
  EXPECT_EQ(canvas.At(8, 6), kShadow);
  EXPECT_EQ(canvas.At(1, 0), kFace);  // dotted: every other pixel
  EXPECT_EQ(canvas.At(4, 4), kFace);
}

TEST(PanelLayout, ChildrenSitInsideBothFramesOnTheDrawnSides) {
  FrameSettings groove;
  groove.borderOuter = fsGroove;
  EXPECT_EQ(FramedContentArea(RectOfSize(303, 64), groove, FrameFlavour::kPanel),
            (Rect{2, 2, 301, 62}));
  FrameSettings f;
  f.borderOuter = fsRaised;
  f.borderInner = fsFlat;
  f.borderSides = kSideLeft | kSideBottom;
  f.borderWidth = 4;
  // 2 + 1 on the left and bottom, then 4 on every side.
  EXPECT_EQ(FramedContentArea(RectOfSize(100, 50), f, FrameFlavour::kPanel), (Rect{7, 4, 96, 43}));
  f.borderInner = fsStatus;
  f.bevelWidth = 3;
  EXPECT_EQ(FramedContentArea(RectOfSize(100, 50), f, FrameFlavour::kPanel), (Rect{9, 4, 96, 41}));
}

TEST(LabelFrames, FlatUsesTheFlatColourUnadjustedAndFlatBoldCountsZero) {
  FrameSettings f;
  f.borderOuter = fsFlat;
  PixelCanvas canvas(4, 4, kPaper);
  EXPECT_EQ(PaintFrames(canvas, RectOfSize(4, 4), f, FrameFlavour::kLabel, kScheme),
            (Rect{1, 1, 3, 3}));
  EXPECT_EQ(canvas.At(0, 0), kShadow);
  EXPECT_EQ(canvas.At(3, 3), kShadow);

  f.borderOuter = fsFlatBold;
  f.flatColor = Colour::FromRgb(5, 5, 5);
  PixelCanvas bold(6, 6, kPaper);
  // Drawn from the fixed table (button shadow), not in the flat colour.
  PaintFrames(bold, RectOfSize(6, 6), f, FrameFlavour::kLabel, kScheme);
  EXPECT_EQ(bold.At(1, 1), kShadow);
  EXPECT_EQ(FramedContentArea(RectOfSize(6, 6), f, FrameFlavour::kLabel), RectOfSize(6, 6));
  EXPECT_EQ(FramedContentArea(RectOfSize(6, 6), f, FrameFlavour::kPanel), (Rect{2, 2, 4, 4}));
  // The panel draws fsFlatBold as a 2-pixel bevel in the adjusted flat colour.
  PixelCanvas panelBold(6, 6, kPaper);
  PaintFrames(panelBold, RectOfSize(6, 6), f, FrameFlavour::kPanel, kScheme);
  EXPECT_EQ(panelBold.At(1, 1), ShiftLightness(f.flatColor, 30, kScheme).Resolve(kScheme));
}

}  // namespace
}  // namespace widgets
