// The progress window's label: its fill and its caption, centred in grey.
#include <gtest/gtest.h>
#include <vssym32.h>

#include "window_layout.h"

namespace widgets {
namespace {

using namespace testing;

TEST_F(ProgressWindowLayout, LabelIsFilledAndItsCaptionCentredInGrey) {
  const auto dib = PaintClient();
  const Rect labelArea{2, 2, 301, 38};
  // Only the fill and the grey caption inside the label.
  EXPECT_EQ(dib->Count(labelArea, kPanelGrey) + dib->Count(labelArea, kGreyText), 299 * 36);
  const Rect ink = dib->BoxOf(labelArea, kGreyText);
  ASSERT_FALSE(ink.Empty());
  // One line of 12: shifted down by (36 - 12) / 2 = 12 from the label's top.
  EXPECT_GE(ink.top, 2 + 12);
  EXPECT_LE(ink.bottom, 2 + 12 + 12);
  const int width = TextWidth(labelFont.get(), kInfoCaption);
  const int left = 2 + (299 - width) / 2;
  EXPECT_GE(ink.left, left);
  EXPECT_LE(ink.right, left + width);
  EXPECT_LE(ink.left - left, 3);  // the first glyph starts near its cell
}

}  // namespace
}  // namespace widgets
