// TRzLabel: a caption painted by its parent panel. It fills its rectangle
// with Color (unless Transparent), draws its frames by the panel's rules,
// and draws the caption aligned left, right or centred and placed at the
// top, centre or bottom; a disabled label embosses its text. Every label is
// a member of the blink list (blink_list.h) while it exists; only a label
// with `blinking` set reacts to the ticks, by hiding and showing its text.
//
// Usage (the progress window's information line):
//   LabelSettings s;
//   s.caption = L"...";
//   s.alignment = HorizontalAlignment::kCentre;
//   s.layout = TextLayout::kCentre;
//   s.color = Colour::FromRgb(240, 240, 240);
//   s.font = labelFont;                      // not owned
//   s.fontColor = Colour::FromRgb(128, 128, 128);
//   panel->Add<TRzLabel>(Rect{}, Align::kClient, s);
#pragma once

#include <memory>
#include <string>

#include "widgets/blink_list.h"
#include "widgets/core/frame_settings.h"
#include "widgets/core/label_layout.h"
#include "widgets/paint_only_widget.h"

namespace widgets {

enum class HorizontalAlignment { kLeft, kRight, kCentre };

inline FrameSettings LabelFrameDefaults() {
  FrameSettings frames;
  frames.borderOuter = fsNone;
  return frames;
}

struct LabelSettings {
  std::wstring caption;
  HorizontalAlignment alignment = HorizontalAlignment::kLeft;
  TextLayout layout = TextLayout::kTop;
  bool wordWrap = false;
  // Takes the size of the text, unless the label is aligned in its panel.
  bool autoSize = true;
  bool transparent = false;
  // An ampersand marks the next character as a mnemonic.
  bool showAccelChar = true;
  bool rightToLeft = false;
  bool enabled = true;
  bool blinking = false;
  FrameSettings frames = LabelFrameDefaults();
  Colour color = colours::kButtonFace;
  HFONT font = nullptr;  // not owned; null: the panel's font
  Colour fontColor = colours::kWindowText;
};

class TRzLabel final : public PaintOnlyWidget, private BlinkMember {
 public:
  static std::unique_ptr<TRzLabel> Create(WidgetParent& parent, Rect bounds, Align align,
                                          LabelSettings settings);
  ~TRzLabel() override;

  const LabelSettings& Settings() const { return settings_; }
  void SetCaption(std::wstring caption);
  void SetEnabled(bool enabled);
  void SetBlinking(bool blinking);
  // False during the hidden half of a blink.
  bool TextShown() const { return textShown_; }

  void Paint(HDC dc, const PaintContext& context) const override;

 private:
  TRzLabel(WidgetParent& parent, Rect bounds, Align align, LabelSettings settings);
  void BlinkTick() override;
  void AdjustSize();
  HFONT Font() const;
  UINT TextFlags() const;

  LabelSettings settings_;
  bool textShown_ = true;
};

}  // namespace widgets
