// Bitmap button and label geometry: glyph cells, placement and captions.
#include "widgets/core/button_layout.h"

#include <gtest/gtest.h>

#include "picture.h"
#include "widgets/core/label_layout.h"

namespace widgets {
namespace {

TEST(NumGlyphs, FollowsTheWidthToHeightQuotientBelowFive) {
  EXPECT_EQ(NumGlyphsForGlyph(32, 16, 1), 2);  // Btn_OK
  EXPECT_EQ(NumGlyphsForGlyph(48, 16, 1), 3);
  EXPECT_EQ(NumGlyphsForGlyph(64, 16, 1), 4);
  EXPECT_EQ(NumGlyphsForGlyph(80, 16, 3), 1);  // the quotient 5 is not below 5
  EXPECT_EQ(NumGlyphsForGlyph(20, 16, 3), 3);  // not a whole multiple: unchanged
  EXPECT_EQ(NumGlyphsForGlyph(0, 16, 2), 2);   // zero width: unchanged
  EXPECT_EQ(NumGlyphsForGlyph(20, 16, 0), 1);  // never below 1
}

TEST(GlyphCell, DisabledButtonsShowTheSecondCellWhenThereIsOne) {
  EXPECT_EQ(GlyphCellIndex(false, 2), 1);
  EXPECT_EQ(GlyphCellIndex(true, 2), 0);
  EXPECT_EQ(GlyphCellIndex(false, 1), 0);
}

TEST(ButtonLayout, GlyphLeftOnTheWindowsButton) {
  const Rect content = ButtonContentRect(RectOfSize(75, 25));
  EXPECT_EQ(content, (Rect{5, 5, 70, 20}));
  const Point glyph = GlyphOrigin(content, 2, 16);
  EXPECT_EQ(glyph.x, 7);
  EXPECT_EQ(glyph.y, 5);  // 5 + (15 - 16 + 1) / 2
  const Rect area = CaptionArea(content, 2, 16, 4);
  EXPECT_EQ(area, (Rect{27, 5, 70, 20}));
  EXPECT_EQ(PlaceCaption(area, 13, VerticalAlignment::kCentre), (Rect{27, 6, 70, 19}));
  EXPECT_EQ(PlaceCaption(area, 13, VerticalAlignment::kTop), (Rect{27, 5, 70, 18}));
  EXPECT_EQ(PlaceCaption(area, 13, VerticalAlignment::kBottom), (Rect{27, 6, 70, 20}));
  EXPECT_EQ(CaptionArea(content, 2, 0, 4), content);  // no glyph
}

TEST(ButtonLayout, GlyphCentringRoundsTowardsTheBottomOnOddDifferences) {
  // Content 20 high, glyph 16: (20 - 16 + 1) / 2 = 2.
  EXPECT_EQ(GlyphOrigin(Rect{0, 10, 50, 30}, 3, 16).y, 12);
  EXPECT_EQ(GlyphOrigin(Rect{0, 10, 50, 29}, 3, 16).y, 12);
  EXPECT_EQ(GlyphOrigin(Rect{0, 10, 50, 29}, 3, 16).x, 3);
}

TEST(LabelLayout, VerticalPlacement) {
  // The window's label: 36 high, one line of 12 measured from 0.
  EXPECT_EQ(LabelTextShift(TextLayout::kCentre, 36, 0, 12), 12);
  EXPECT_EQ(LabelTextShift(TextLayout::kBottom, 36, 0, 12), 24);
  EXPECT_EQ(LabelTextShift(TextLayout::kTop, 36, 0, 12), 0);
  EXPECT_EQ(LabelTextShift(TextLayout::kCentre, 36, 3, 12), 10);  // (36 - 3 - 12) / 2
  // Text taller than the label: the shift truncates towards zero.
  EXPECT_EQ(LabelTextShift(TextLayout::kCentre, 10, 0, 13), -1);
}

}  // namespace
}  // namespace widgets
