// The progress window's widgets painted into a 32-bit DIB at the window's
// sizes with the classic colour scheme, checked pixel by pixel, and saved as
// PNG files under build/<preset>/widgets-png.
#include <gtest/gtest.h>
#include <vssym32.h>

#include <memory>

#include "gdi_test_support.h"
#include "picture.h"
#include "widgets/bitmap_button.h"
#include "widgets/glyph_resource.h"
#include "widgets/label.h"
#include "widgets/panel.h"
#include "widgets/progress_bar.h"
#include "widgets/theme_api.h"
#include "widgets/win_geometry.h"
#include "win/dc_guards.h"

namespace widgets {
namespace {

using testing::DibSurface;
using testing::kInfoCaption;
using testing::kOkCaption;
using testing::MakeSongti;
using testing::TestWindow;

const ColourScheme& kScheme = ClassicScheme();
constexpr Rgb kSentinel{255, 0, 255};
constexpr Rgb kFace{212, 208, 200};
constexpr Rgb kShadow{128, 128, 128};
constexpr Rgb kHighlightWhite{255, 255, 255};
constexpr Rgb kFlat{159, 159, 159};
constexpr Rgb kHighlight{10, 36, 106};  // the classic selection colour
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kPanelGrey{240, 240, 240};
constexpr Rgb kGreyText{128, 128, 128};

// The progress window's layout on a hidden form, painted with the classic
// scheme and look.
class ProgressWindowLayout : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(form.get());
    PanelSettings client;
    client.look.frames.borderOuter = fsGroove;
    client.font = windowFont.get();
    client.scheme = &kScheme;
    client.lookChoice = LookChoice::kClassic;
    clientPanel = TRzPanel::Create(form.get(), Rect{0, 0, 303, 64}, client);
    ASSERT_TRUE(clientPanel);

    LabelSettings info;
    info.caption = kInfoCaption;
    info.alignment = HorizontalAlignment::kCentre;
    info.layout = TextLayout::kCentre;
    info.color = Colour::FromRgb(240, 240, 240);
    info.font = labelFont.get();
    info.fontColor = Colour::FromRgb(128, 128, 128);
    label = &clientPanel->Add<TRzLabel>(Rect{}, Align::kClient, info);

    ProgressBarModel fields;
    fields.borderOuter = fsFlat;
    bar = &clientPanel->Add<TRzProgressBar>(Rect{0, 0, 299, 24}, Align::kBottom, fields);

    PanelSettings bottom;
    bottom.look.frames.borderOuter = fsFlat;
    bottom.look.color = Colour::FromRgb(240, 240, 240);
    bottom.font = windowFont.get();
    bottom.scheme = &kScheme;
    bottom.lookChoice = LookChoice::kClassic;
    bottomPanel = TRzPanel::Create(form.get(), Rect{0, 64, 303, 91}, bottom);
    ASSERT_TRUE(bottomPanel);

    BitBtnSettings ok;
    ok.caption = kOkCaption;
    ok.glyph = LoadOkGlyph();
    ok.enabled = false;
    ok.isDefault = true;
    ok.hotTrack = true;
    button = bottomPanel->Add<TRzBitBtn>(Rect{104, 0, 179, 25}, ok);
    ASSERT_NE(button, nullptr);
  }

  PaintContext Classic(const TRzPanel& panel) const {
    return PaintContext{kScheme, false, panel.Handle()};
  }

  // The client panel with its label and bar.
  std::unique_ptr<DibSurface> PaintClient() const {
    auto dib = std::make_unique<DibSurface>(303, 64, kSentinel);
    clientPanel->PaintTo(dib->dc(), Classic(*clientPanel));
    return dib;
  }

  std::unique_ptr<DibSurface> PaintBar(const PaintContext& context) const {
    auto dib = std::make_unique<DibSurface>(299, 24, kSentinel);
    bar->Paint(dib->dc(), context);
    return dib;
  }

  std::unique_ptr<DibSurface> PaintButton(const PaintContext& context) const {
    auto dib = std::make_unique<DibSurface>(75, 25, kSentinel);
    button->PaintTo(dib->dc(), context);
    return dib;
  }

  static int TextWidth(HFONT font, const std::wstring& text) {
    win::WindowDc screen(nullptr);
    win::SelectGuard select(screen.get(), font);
    SIZE size{};
    ::GetTextExtentPoint32W(screen.get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
  }

  win::UniqueFont windowFont = MakeSongti(13);
  win::UniqueFont labelFont = MakeSongti(12);
  TestWindow form;
  std::unique_ptr<TRzPanel> clientPanel;
  std::unique_ptr<TRzPanel> bottomPanel;
  TRzLabel* label = nullptr;
  TRzProgressBar* bar = nullptr;
  TRzBitBtn* button = nullptr;
};

TEST_F(ProgressWindowLayout, ChildrenAreLaidOutInsideTheGroove) {
  EXPECT_EQ(clientPanel->ChildArea(), (Rect{2, 2, 301, 62}));
  EXPECT_EQ(label->Bounds(), (Rect{2, 2, 301, 38}));
  EXPECT_EQ(bar->Bounds(), (Rect{2, 38, 301, 62}));
  EXPECT_EQ(bottomPanel->ChildArea(), (Rect{1, 1, 302, 26}));
  EXPECT_EQ(button->NumGlyphs(), 2);
}

TEST_F(ProgressWindowLayout, ClientPanelHasItsGrooveRing) {
  const auto dib = PaintClient();
  dib->SavePng("RzPanel_Client");
  for (int x = 0; x < 302; ++x) {
    EXPECT_EQ(dib->At(x, 0), kShadow) << x;
    EXPECT_EQ(dib->At(x, 62), kShadow) << x;
  }
  for (int x = 1; x < 301; ++x) EXPECT_EQ(dib->At(x, 1), kHighlightWhite) << x;
  for (int x = 0; x < 303; ++x) EXPECT_EQ(dib->At(x, 63), kHighlightWhite) << x;
  for (int y = 0; y < 63; ++y) {
    EXPECT_EQ(dib->At(0, y), kShadow) << y;
    EXPECT_EQ(dib->At(301, y), kShadow) << y;
  }
  for (int y = 1; y < 62; ++y) EXPECT_EQ(dib->At(1, y), kHighlightWhite) << y;
  for (int y = 0; y < 64; ++y) EXPECT_EQ(dib->At(302, y), kHighlightWhite) << y;
  EXPECT_EQ(dib->Count(RectOfSize(303, 64), kSentinel), 0);
}

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
  bar->Paint(dib.dc(), Classic(*clientPanel));
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

TEST_F(ProgressWindowLayout, BottomPanelHasTheAdjustedFlatFrame) {
  DibSurface dib(303, 27, kSentinel);
  bottomPanel->PaintTo(dib.dc(), Classic(*bottomPanel));
  dib.SavePng("RzPanel1");
  for (int x = 0; x < 303; ++x) {
    EXPECT_EQ(dib.At(x, 0), kFlat) << x;
    EXPECT_EQ(dib.At(x, 26), kFlat) << x;
  }
  for (int y = 0; y < 27; ++y) {
    EXPECT_EQ(dib.At(0, y), kFlat) << y;
    EXPECT_EQ(dib.At(302, y), kFlat) << y;
  }
  EXPECT_EQ(dib.Count(Rect{1, 1, 302, 26}, kPanelGrey), 301 * 25);
}

TEST_F(ProgressWindowLayout, DisabledButtonFrameGlyphAndEmbossedCaption) {
  const auto dib = PaintButton(PaintContext{kScheme, false, button->Handle()});
  dib->SavePng("Btn_OK");
  // The frame one pixel inside the edge, corners left out.
  for (int y = 2; y <= 22; ++y) {
    EXPECT_EQ(dib->At(1, y), kFlat) << y;
    EXPECT_EQ(dib->At(73, y), kFlat) << y;
  }
  for (int x = 2; x <= 72; ++x) {
    EXPECT_EQ(dib->At(x, 1), kFlat) << x;
    EXPECT_EQ(dib->At(x, 23), kFlat) << x;
  }
  for (Point p : {Point{1, 1}, Point{73, 1}, Point{1, 23}, Point{73, 23}, Point{0, 0},
                  Point{74, 24}, Point{37, 0}, Point{0, 12}}) {
    EXPECT_EQ(dib->At(p.x, p.y), kFace) << p.x << ',' << p.y;
  }
  // The grey cell at (7, 5), its background colour left out.
  const Glyph glyph = LoadOkGlyph();
  ASSERT_EQ(glyph.width, 32);
  int drawn = 0;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      const Rgb source = glyph.At(16 + x, y);
      const Rgb expected = source == glyph.TransparentColour() ? kFace : source;
      EXPECT_EQ(dib->At(7 + x, 5 + y), expected) << x << ',' << y;
      drawn += source == glyph.TransparentColour() ? 0 : 1;
    }
  }
  EXPECT_GT(drawn, 20);
  // Caption in (27, 6, 70, 19): button shadow in place, button highlight
  // one pixel down and right wherever the shadow does not cover it.
  const Rect caption{27, 6, 71, 21};
  const Rect shadow = dib->BoxOf(caption, kShadow);
  ASSERT_FALSE(shadow.Empty());
  EXPECT_GE(shadow.top, 6);
  EXPECT_LE(shadow.bottom, 19);
  const int width = TextWidth(windowFont.get(), kOkCaption);
  EXPECT_GE(shadow.left, 27 + (43 - width) / 2);
  EXPECT_LE(shadow.right, 27 + (43 - width) / 2 + width);
  int highlights = 0;
  for (int y = caption.top; y < caption.bottom; ++y) {
    for (int x = caption.left; x < caption.right; ++x) {
      const bool isShadow = dib->At(x, y) == kShadow;
      const bool isHighlight = dib->At(x, y) == kHighlightWhite;
      ASSERT_TRUE(isShadow || isHighlight || dib->At(x, y) == kFace) << x << ',' << y;
      if (isHighlight) {
        ++highlights;
        EXPECT_EQ(dib->At(x - 1, y - 1), kShadow) << x << ',' << y;
      }
      if (isShadow && dib->At(x + 1, y + 1) != kShadow) {
        EXPECT_EQ(dib->At(x + 1, y + 1), kHighlightWhite) << x << ',' << y;
      }
    }
  }
  EXPECT_GT(highlights, 10);
}

TEST_F(ProgressWindowLayout, EnabledButtonShowsTheGreenCellAndAOneCellGlyphAlwaysCellZero) {
  button->SetEnabled(true);
  const auto enabled = PaintButton(PaintContext{kScheme, false, button->Handle()});
  enabled->SavePng("Btn_OK_enabled");
  const Glyph glyph = LoadOkGlyph();
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      if (glyph.At(x, y) != glyph.TransparentColour()) {
        EXPECT_EQ(enabled->At(7 + x, 5 + y), glyph.At(x, y)) << x << ',' << y;
      }
    }
  }
  EXPECT_GT(enabled->Count(Rect{27, 5, 70, 20}, Rgb{0, 0, 0}), 10);  // button text colour

  // A 16 x 16 glyph has one cell: a disabled button shows it as it is.
  Glyph single = glyph;
  single.width = 16;
  single.pixels.clear();
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) single.pixels.push_back(glyph.At(x, y));
  }
  button->SetEnabled(false);
  button->SetGlyph(single);
  EXPECT_EQ(button->NumGlyphs(), 1);
  const auto disabled = PaintButton(PaintContext{kScheme, false, button->Handle()});
  EXPECT_EQ(disabled->At(7 + 6, 5 + 10), glyph.At(6, 10));  // the green stroke's tip
}

// The visual-style painters, given the themed state directly.
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
  Theme().drawThemeBackground(theme.get(), track.dc(), PP_BAR, 1, &all, nullptr);
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

TEST_F(ProgressWindowLayout, ThemedButtonDrawsTheDisabledPushButton) {
  ASSERT_TRUE(Theme().present);
  const auto dib = PaintButton(PaintContext{kScheme, true, button->Handle()});
  dib->SavePng("Btn_OK_themed");
  // The panel's background first, then the platform's disabled push-button.
  DibSurface expected(75, 25, kSentinel);
  {
    DibSurface panel(303, 27, kSentinel);
    bottomPanel->PaintTo(panel.dc(), Classic(*bottomPanel));
    ::BitBlt(expected.dc(), 0, 0, 75, 25, panel.dc(), 104, 0, SRCCOPY);
  }
  UniqueTheme theme(OpenTheme(button->Handle(), L"BUTTON"));
  ASSERT_TRUE(theme);
  const RECT all{0, 0, 75, 25};
  Theme().drawThemeBackground(theme.get(), expected.dc(), BP_PUSHBUTTON, PBS_DISABLED, &all,
                              nullptr);
  expected.SavePng("Btn_OK_themed_expected");
  const Rect content{5, 5, 70, 20};
  for (int y = 0; y < 25; ++y) {
    for (int x = 0; x < 75; ++x) {
      if (content.Contains({x, y})) continue;
      ASSERT_EQ(dib->At(x, y), expected.At(x, y)) << x << ',' << y;
    }
  }
  // Glyph and caption on top, as in the classic look.
  EXPECT_EQ(dib->At(7 + 6, 5 + 10), LoadOkGlyph().At(16 + 6, 10));
  EXPECT_GT(dib->Count(Rect{27, 5, 70, 20}, kShadow), 10);
}

TEST_F(ProgressWindowLayout, WholeWindowOnScreen) {
  // The form made visible and captured through its DC, for a person to look at.
  ::SetWindowPos(form.get(), nullptr, 0, 0, 303, 91, SWP_NOZORDER | SWP_SHOWWINDOW);
  ::UpdateWindow(form.get());
  ::RedrawWindow(form.get(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  DibSurface dib(303, 91, kSentinel);
  {
    win::WindowDc screen(form.get());
    ::BitBlt(dib.dc(), 0, 0, 303, 91, screen.get(), 0, 0, SRCCOPY);
  }
  dib.SavePng("Form_DeleteDBFIndex");
  EXPECT_EQ(dib.At(0, 0), kShadow);           // groove
  EXPECT_EQ(dib.At(0, 64), kFlat);            // RzPanel1's frame
  EXPECT_EQ(dib.At(104 + 1, 64 + 2), kFlat);  // the button's own frame
  EXPECT_EQ(dib.At(2 + 149, 38 + 1), kWhite);
}

}  // namespace
}  // namespace widgets
