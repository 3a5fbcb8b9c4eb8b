// The progress window's bar: its frame, field, fill and split-colour
// percentage, at the percentages and orientations the rules name.
#include <gtest/gtest.h>
#include <vssym32.h>

#include "window_layout.h"

namespace widgets {
namespace {

using namespace testing;

TEST_F(ProgressWindowLayout, BarHasItsFlatFrameWhiteFieldAndHighlightText) {
  const auto dib = PaintBar(Classic(*clientPanel));
  dib->SavePng("Progress_Step_0");
  for (int x = 0; x < 299; ++x) {
    EXPECT_EQ(dib->At(x, 0), kFlat) << x;
    EXPECT_EQ(dib->At(x, 23), kFlat) << x;
  }
  for (int y = 0; y < 24; ++y) {
    EXPECT_EQ(dib->At(0, y), kFlat) << y;
    EXPECT_EQ(dib->At(298, y), kFlat) << y;
  }
  const Rect field{1, 1, 298, 23};
  EXPECT_EQ(dib->Count(field, kWhite) + dib->Count(field, kHighlight), 297 * 22);
  const Rect ink = dib->BoxOf(field, kHighlight);
  ASSERT_FALSE(ink.Empty());
  const int width = TextWidth(windowFont.get(), L"0%");
  EXPECT_GE(ink.left, 149 - width / 2);
  EXPECT_LE(ink.right, 149 - width / 2 + width);
  EXPECT_GE(ink.top, 1 + (22 - 13) / 2);
  EXPECT_LE(ink.bottom, 1 + (22 - 13) / 2 + 13);
  // The same bar drawn in place on the panel at (2, 38).
  const auto panel = PaintClient();
  for (int y = 0; y < 24; ++y) {
    for (int x = 0; x < 299; ++x)
      ASSERT_EQ(panel->At(x + 2, y + 38), dib->At(x, y)) << x << ',' << y;
  }
}

TEST_F(ProgressWindowLayout, TwentyFivePercentFillsUpToColumn75) {
  bar->SetPercent(25);
  const auto dib = PaintBar(Classic(*clientPanel));
  dib->SavePng("Progress_Step_25");
  EXPECT_EQ(dib->BoxOf(Rect{1, 1, 298, 23}, kHighlight).left, 1);
  for (int y = 1; y < 23; ++y) {
    for (int x = 1; x < 75; ++x) ASSERT_EQ(dib->At(x, y), kHighlight) << x << ',' << y;
    EXPECT_NE(dib->At(75, y), kHighlight) << y;  // no text reaches column 75
  }
  // The text sits in the white part and stays in the bar colour.
  EXPECT_GT(dib->Count(Rect{120, 1, 180, 23}, kHighlight), 0);
}

TEST_F(ProgressWindowLayout, TextChangesColourWhereTheFillEdgeCrossesIt) {
  bar->SetPercent(50);  // Round(148.5) = 148: the fill ends at column 149
  const auto dib = PaintBar(Classic(*clientPanel));
  dib->SavePng("Progress_Step_50");
  for (int y = 1; y < 23; ++y) {
    EXPECT_EQ(dib->At(148, y) == kHighlight || dib->At(148, y) == kWhite, true);
  }
  // White text on the fill left of column 149, bar-coloured text right of it.
  EXPECT_GT(dib->Count(Rect{130, 1, 149, 23}, kWhite), 0);
  EXPECT_GT(dib->Count(Rect{149, 1, 170, 23}, kHighlight), 0);
  EXPECT_EQ(dib->Count(Rect{1, 1, 120, 23}, kWhite), 0);
  EXPECT_EQ(dib->Count(Rect{180, 1, 298, 23}, kHighlight), 0);
}

TEST_F(ProgressWindowLayout, OverOneHundredFillsTheWholeField) {
  bar->SetPercent(150);
  const auto dib = PaintBar(Classic(*clientPanel));
  dib->SavePng("Progress_Step_150");
  const Rect field{1, 1, 298, 23};
  EXPECT_EQ(dib->Count(field, kWhite) + dib->Count(field, kHighlight), 297 * 22);
  const Rect ink = dib->BoxOf(field, kWhite);
  const int width = TextWidth(windowFont.get(), L"150%");
  EXPECT_GE(ink.left, 149 - width / 2);
  EXPECT_LE(ink.right, 149 - width / 2 + width);
  EXPECT_GT(ink.Width(), TextWidth(windowFont.get(), L"0%"));
}

TEST_F(ProgressWindowLayout, WithoutShowPercentOnlyTheFillIsDrawn) {
  bar->Change([](ProgressBarModel& f) { f.showPercent = false; });
  bar->SetPercent(25);
  const auto dib = PaintBar(Classic(*clientPanel));
  EXPECT_EQ(dib->Count(Rect{1, 1, 75, 23}, kHighlight), 74 * 22);
  EXPECT_EQ(dib->Count(Rect{75, 1, 298, 23}, kWhite), 223 * 22);
}

TEST_F(ProgressWindowLayout, ATallBarTurnsVerticalAndFillsFromTheBottom) {
  bar->SetBounds(Rect{2, 2, 26, 102});
  bar->Change([](ProgressBarModel& f) { f.showPercent = false; });
  bar->SetPercent(25);
  EXPECT_EQ(bar->Fields().Orientation(), BarOrientation::kVertical);
  DibSurface dib(24, 100, kSentinel);
  bar->Paint(dib.Dc(), Classic(*clientPanel));
  dib.SavePng("Progress_Step_vertical");
  // Field (1, 1, 23, 99): Round(98 x 0.25) = 24 rows from the bottom.
  EXPECT_EQ(dib.BoxOf(Rect{1, 1, 23, 99}, kHighlight), (Rect{1, 75, 23, 99}));
}

TEST_F(ProgressWindowLayout, BarOnChangeSeesEveryNewPercent) {
  std::vector<int> seen;
  bar->SetOnChange([&](std::uint16_t p) { seen.push_back(p); });
  bar->SetTotalParts(4);
  bar->SetPartsComplete(1);
  bar->SetPercent(25);
  bar->SetPercent(60);
  EXPECT_EQ(seen, (std::vector<int>{25, 60}));
}

TEST_F(ProgressWindowLayout, ThemedBarDrawsTheTrackAndMovesTheFieldInByThree) {
  ASSERT_TRUE(Theme().present);
  const PaintContext themed{kScheme, true, clientPanel->Handle()};
  const auto dib = PaintBar(themed);
  dib->SavePng("Progress_Step_themed");
  // The field: white, with 0% centred on x = 296 / 2 = 148.
  const Rect field{3, 3, 296, 21};
  EXPECT_EQ(dib->Count(field, kWhite) + dib->Count(field, kHighlight), 293 * 18);
  const Rect ink = dib->BoxOf(field, kHighlight);
  const int width = TextWidth(windowFont.get(), L"0%");
  EXPECT_GE(ink.left, 148 - width / 2);
  EXPECT_LE(ink.right, 148 - width / 2 + width);
  // Around it, exactly what the platform draws for the bar part, state 1.
  DibSurface track(299, 24, kSentinel);
  UniqueTheme theme(OpenTheme(clientPanel->Handle(), L"PROGRESS"));
  ASSERT_TRUE(theme);
  const RECT all{0, 0, 299, 24};
  Theme().drawThemeBackground(theme.get(), track.Dc(), PP_BAR, 1, &all, nullptr);
  int differing = 0;
  for (int y = 0; y < 24; ++y) {
    for (int x = 0; x < 299; ++x) {
      if (field.Contains({x, y})) continue;
      differing += dib->At(x, y) != track.At(x, y) ? 1 : 0;
    }
  }
  EXPECT_EQ(differing, 0);
  EXPECT_EQ(dib->Count(RectOfSize(299, 24), kSentinel),
            track.Count(RectOfSize(299, 24), kSentinel));
}

}  // namespace
}  // namespace widgets
