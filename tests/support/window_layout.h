// The progress window's widgets at the window's sizes on a hidden form,
// with the classic colour scheme and look: the fixture of the widgets' pixel
// tests, which paint them into 32-bit DIBs, check them pixel by pixel and
// save them as PNG files under build/<preset>/widgets-png.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "classic_scheme.h"
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
namespace testing {

inline const ColourScheme& kScheme = ClassicScheme();
inline constexpr Rgb kSentinel{255, 0, 255};
inline constexpr Rgb kFace{212, 208, 200};
inline constexpr Rgb kShadow{128, 128, 128};
inline constexpr Rgb kHighlightWhite{255, 255, 255};
inline constexpr Rgb kFlat{159, 159, 159};
inline constexpr Rgb kHighlight{10, 36, 106};  // the classic selection colour
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kPanelGrey{240, 240, 240};
inline constexpr Rgb kGreyText{128, 128, 128};

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
    clientPanel->PaintTo(dib->Dc(), Classic(*clientPanel));
    return dib;
  }

  std::unique_ptr<DibSurface> PaintBar(const PaintContext& context) const {
    auto dib = std::make_unique<DibSurface>(299, 24, kSentinel);
    bar->Paint(dib->Dc(), context);
    return dib;
  }

  std::unique_ptr<DibSurface> PaintButton(const PaintContext& context) const {
    auto dib = std::make_unique<DibSurface>(75, 25, kSentinel);
    button->PaintTo(dib->Dc(), context);
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

}  // namespace testing
}  // namespace widgets
