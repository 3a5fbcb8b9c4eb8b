// The bitmap button's glyph resource, keys, clicks and hot tracking, and the
// progress window's OK button as it paints: frame, glyph cell and embossed
// caption, classic and themed.
#include "widgets/bitmap_button.h"

#include <gtest/gtest.h>
#include <vssym32.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "classic_scheme.h"
#include "gdi_test_support.h"
#include "widgets/glyph_resource.h"
#include "widgets/panel.h"
#include "window_layout.h"

namespace widgets {
namespace {

using testing::TestWindow;

// The OK button in the progress window's layout.
using namespace testing;

TEST(OkGlyph, IsA32By16BitmapOfAGreenAndAGreyCheckMark) {
  const Glyph glyph = LoadOkGlyph();
  ASSERT_EQ(glyph.width, 32);
  ASSERT_EQ(glyph.height, 16);
  const Rgb background{236, 233, 216};
  EXPECT_EQ(glyph.TransparentColour(), background);
  const std::vector<Rgb> greens = {{0, 204, 0}, {0, 153, 0}, {0, 102, 0}};
  const std::vector<Rgb> greys = {{178, 178, 178}, {153, 153, 153}, {128, 128, 128}};
  auto in = [](const std::vector<Rgb>& set, Rgb c) {
    for (Rgb s : set)
      if (s == c) return true;
    return false;
  };
  std::vector<int> greenCount(3), greyCount(3);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      const Rgb left = glyph.At(x, y);
      const Rgb right = glyph.At(16 + x, y);
      // The same mark in both cells: background where the other has background.
      EXPECT_EQ(left == background, right == background) << x << ',' << y;
      if (left != background) {
        EXPECT_TRUE(in(greens, left)) << x << ',' << y;
        EXPECT_TRUE(in(greys, right)) << x << ',' << y;
        for (int i = 0; i < 3; ++i) {
          greenCount[i] += left == greens[i];
          greyCount[i] += right == greys[i];
        }
      }
    }
  }
  for (int i = 0; i < 3; ++i) {
    EXPECT_GT(greenCount[i], 0) << i;
    EXPECT_EQ(greenCount[i], greyCount[i]) << i;
  }
}

TEST(OkGlyph, IsStoredWithEightBitsPerPixelAndA256ColourPalette) {
  const HRSRC found = ::FindResourceW(::GetModuleHandleW(nullptr), L"QESH_OK_GLYPH", RT_BITMAP);
  ASSERT_NE(found, nullptr);
  const auto* header = static_cast<const BITMAPINFOHEADER*>(
      ::LockResource(::LoadResource(::GetModuleHandleW(nullptr), found)));
  ASSERT_NE(header, nullptr);
  EXPECT_EQ(header->biWidth, 32);
  EXPECT_EQ(header->biHeight, 16);
  EXPECT_EQ(header->biBitCount, 8);
  EXPECT_EQ(header->biClrUsed, 256u);
}

class ButtonBehaviour : public ::testing::Test {
 protected:
  void SetUp() override {
    PanelSettings settings;
    settings.scheme = &ClassicScheme();
    settings.lookChoice = LookChoice::kClassic;
    panel = TRzPanel::Create(form.get(), Rect{0, 0, 303, 27}, settings);
    ASSERT_TRUE(panel);
  }

  TRzBitBtn& Add(BitBtnSettings s) {
    s.setModalResult = [this](int r) { events.push_back("modal " + std::to_string(r)); };
    s.onClick = [this] { events.push_back("click"); };
    TRzBitBtn* button = panel->Add<TRzBitBtn>(Rect{104, 0, 179, 25}, s);
    EXPECT_NE(button, nullptr);
    return *button;
  }

  TestWindow form{nullptr, 303, 91, true};
  std::unique_ptr<TRzPanel> panel;
  std::vector<std::string> events;
};

TEST_F(ButtonBehaviour, AClickSetsTheModalResultFirstThenRunsTheClickEvent) {
  BitBtnSettings s;
  s.modalResult = 1;
  Add(s).Click();
  EXPECT_EQ(events, (std::vector<std::string>{"modal 1", "click"}));
}

TEST_F(ButtonBehaviour, EnterClicksTheDefaultButtonAndEscapeTheCancelButton) {
  BitBtnSettings def;
  def.isDefault = true;
  TRzBitBtn& ok = Add(def);
  EXPECT_TRUE(ok.DialogKey(VK_RETURN));
  EXPECT_FALSE(ok.DialogKey(VK_ESCAPE));
  EXPECT_EQ(events, (std::vector<std::string>{"modal 0", "click"}));

  events.clear();
  BitBtnSettings cancel;
  cancel.cancel = true;
  TRzBitBtn& esc = Add(cancel);
  EXPECT_TRUE(esc.DialogKey(VK_ESCAPE));
  EXPECT_FALSE(esc.DialogKey(VK_RETURN));
  EXPECT_EQ(events.size(), 2u);
}

TEST_F(ButtonBehaviour, ADisabledButtonTakesNoKeysAndItsWindowIsDisabled) {
  BitBtnSettings s;
  s.isDefault = true;
  s.cancel = true;
  s.enabled = false;
  TRzBitBtn& button = Add(s);
  EXPECT_FALSE(::IsWindowEnabled(button.Handle()));
  EXPECT_FALSE(button.CanFocus());
  EXPECT_FALSE(button.DialogKey(VK_RETURN));
  EXPECT_FALSE(button.DialogKey(VK_ESCAPE));
  EXPECT_TRUE(events.empty());
  button.SetEnabled(true);
  EXPECT_TRUE(button.CanFocus());
  EXPECT_TRUE(button.DialogKey(VK_RETURN));
}

TEST_F(ButtonBehaviour, AMouseClickInsideTheButtonClicksIt) {
  TRzBitBtn& button = Add(BitBtnSettings{});
  ::SendMessageW(button.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  ::SendMessageW(button.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  EXPECT_EQ(events, (std::vector<std::string>{"modal 0", "click"}));
  events.clear();
  // Released outside: no click.
  ::SendMessageW(button.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  ::SendMessageW(button.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(200, 10));
  EXPECT_TRUE(events.empty());
}

TEST_F(ButtonBehaviour, HotTrackingFollowsTheMouseAndAskForARepaint) {
  BitBtnSettings s;
  s.hotTrack = true;
  TRzBitBtn& button = Add(s);
  ::ValidateRect(button.Handle(), nullptr);
  ::SendMessageW(button.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_TRUE(button.Hot());
  EXPECT_TRUE(::GetUpdateRect(button.Handle(), nullptr, FALSE));
  ::ValidateRect(button.Handle(), nullptr);
  ::SendMessageW(button.Handle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_FALSE(button.Hot());
  EXPECT_TRUE(::GetUpdateRect(button.Handle(), nullptr, FALSE));
}

TEST_F(ButtonBehaviour, AnExceptionFromTheClickEventDoesNotLeaveTheWindowProcedure) {
  bool clicked = false;
  BitBtnSettings s;
  s.onClick = [&] {
    clicked = true;
    throw std::runtime_error("click failed");
  };
  TRzBitBtn* button = panel->Add<TRzBitBtn>(Rect{0, 0, 75, 25}, s);
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(::SendMessageW(button->Handle(), WM_KEYUP, VK_SPACE, 0), 0);
  EXPECT_TRUE(clicked);
  EXPECT_TRUE(::IsWindow(button->Handle()));
}

TEST_F(ButtonBehaviour, AssigningAGlyphSetsNumGlyphs) {
  BitBtnSettings s;
  TRzBitBtn& button = Add(s);
  auto glyphOf = [](int w, int h) {
    Glyph g;
    g.width = w;
    g.height = h;
    g.pixels.assign(static_cast<std::size_t>(w * h), Rgb{});
    return g;
  };
  button.SetGlyph(glyphOf(48, 16));
  EXPECT_EQ(button.NumGlyphs(), 3);
  button.SetGlyph(glyphOf(20, 16));
  EXPECT_EQ(button.NumGlyphs(), 3);
  button.SetGlyph(glyphOf(80, 16));
  EXPECT_EQ(button.NumGlyphs(), 1);
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
TEST_F(ProgressWindowLayout, ThemedButtonDrawsTheDisabledPushButton) {
  ASSERT_TRUE(Theme().present);
  const auto dib = PaintButton(PaintContext{kScheme, true, button->Handle()});
  dib->SavePng("Btn_OK_themed");
  // The panel's background first, then the platform's disabled push-button.
  DibSurface expected(75, 25, kSentinel);
  {
    DibSurface panel(303, 27, kSentinel);
    bottomPanel->PaintTo(panel.Dc(), Classic(*bottomPanel));
    ::BitBlt(expected.Dc(), 0, 0, 75, 25, panel.Dc(), 104, 0, SRCCOPY);
  }
  UniqueTheme theme(OpenTheme(button->Handle(), L"BUTTON"));
  ASSERT_TRUE(theme);
  const RECT all{0, 0, 75, 25};
  Theme().drawThemeBackground(theme.get(), expected.Dc(), BP_PUSHBUTTON, PBS_DISABLED, &all,
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

}  // namespace
}  // namespace widgets
