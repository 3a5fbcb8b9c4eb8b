// The bitmap button's glyph resource, keys, clicks and hot tracking.
#include "widgets/bitmap_button.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "gdi_test_support.h"
#include "widgets/glyph_resource.h"
#include "widgets/panel.h"

namespace widgets {
namespace {

using testing::TestWindow;

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

}  // namespace
}  // namespace widgets
