// TRzBitBtn: a push button with a window of its own, a glyph at the left of
// its caption, and the platform's push-button under visual styles.
//
// Classic look: the button's Color with a one-pixel frame one pixel inside
// the edge, corners left out, in RaiseLightness(button shadow, 30) when Color
// is button face, else LowerLightness(Color, 80). The glyph cell shown is
// the second one on a disabled button with two or more cells; it is drawn
// leaving out the colour of the glyph's bottom-left pixel. A disabled
// caption is embossed (button highlight at +1,+1, button shadow in place).
// Hot tracking repaints on mouse enter and leave; the hot look needs an
// enabled button. A click sets the containing form's modal result to
// ModalResult (through `setModalResult`), then runs `onClick`.
//
// Only the glyph-left layout is implemented. The enabled button's classic
// frames: button shadow normally, highlight colour when hot, a dark 3-D
// shadow outer ring when default or focused, and a darker face with the
// content moved by (1, 1) while pressed.
//
// Usage (the progress window's OK button):
//   BitBtnSettings s;
//   s.caption = L"\u786E\u5B9A";
//   s.glyph = LoadOkGlyph();
//   s.enabled = false;
//   s.isDefault = true;
//   s.hotTrack = true;
//   s.setModalResult = [&form](int result) { form.SetModalResult(result); };
//   TRzBitBtn* ok = panel->Add<TRzBitBtn>(Rect{104, 0, 179, 25}, s);
// The form's message loop passes Enter and Escape to DialogKey.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "widgets/core/button_layout.h"
#include "widgets/core/colour.h"
#include "widgets/core/glyph.h"
#include "widgets/paint_context.h"
#include "widgets/widget_parent.h"
#include "win/gdi_handles.h"
#include "win/window_class.h"

namespace widgets {

struct BitBtnSettings {
  std::wstring caption;
  Glyph glyph;
  int numGlyphs = 1;  // replaced by the glyph's cell count when it has one
  int margin = 2;
  int spacing = 4;
  VerticalAlignment verticalAlignment = VerticalAlignment::kCentre;
  bool isDefault = false;
  bool cancel = false;
  int modalResult = 0;
  bool hotTrack = false;
  bool enabled = true;
  Colour color = colours::kButtonFace;
  HFONT font = nullptr;  // not owned; null: the panel's font
  Colour fontColor = colours::kButtonText;
  std::function<void(int modalResult)> setModalResult;
  std::function<void()> onClick;
};

class TRzBitBtn final : public ChildWindow {
 public:
  static std::unique_ptr<TRzBitBtn> Create(WidgetParent& parent, Rect bounds,
                                           BitBtnSettings settings);
  ~TRzBitBtn() override;
  TRzBitBtn(const TRzBitBtn&) = delete;
  TRzBitBtn& operator=(const TRzBitBtn&) = delete;

  HWND Handle() const { return window_.get(); }
  const BitBtnSettings& Settings() const { return settings_; }
  int NumGlyphs() const { return settings_.numGlyphs; }
  bool Enabled() const;
  void SetEnabled(bool enabled);
  void SetGlyph(Glyph glyph);
  bool Hot() const { return hot_; }

  // Enter clicks the active default button, Escape a Cancel button, when it
  // can take the focus and neither Shift, Ctrl nor Alt is held. True when
  // the key was taken.
  bool DialogKey(UINT virtualKey);
  // Whether the button can take the focus: it and its ancestors are
  // visible and enabled.
  bool CanFocus() const;
  // Modal result first, then the click event.
  void Click();

  void PaintTo(HDC dc, const PaintContext& context) const;
  PaintContext Context() const;

 private:
  TRzBitBtn(WidgetParent& parent, BitBtnSettings settings);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void PaintClassicFrame(HDC dc, const PaintContext& context, Rect client) const;
  bool PaintThemedFrame(HDC dc, const PaintContext& context, Rect client) const;
  void Repaint() const;
  bool ActiveDefault() const;

  WidgetParent& parent_;
  BitBtnSettings settings_;
  bool hot_ = false;
  bool pressed_ = false;
  win::WindowClass class_;  // outlives the window below
  win::UniqueWindow window_;
};

}  // namespace widgets
