// TRzPanel: a framed panel with a window of its own. It paints its frames,
// fill and caption, owns and lays out its child widgets (labels and progress
// bars painted by the panel, bitmap buttons with windows of their own), and
// hands its font, colour scheme and look choice down to them.
//
// Usage, as on the progress window:
//
//   widgets::PanelSettings client;
//   client.look.frames.borderOuter = widgets::fsGroove;
//   client.font = windowFont;                      // not owned; must outlive the panel
//   auto panel = widgets::TRzPanel::Create(form, {0, 0, 303, 64}, client);
//   TRzLabel& info = panel->AddLabel({0, 0, 0, 0}, Align::kClient, labelSettings);
//   TRzProgressBar& bar = panel->AddProgressBar({0, 0, 299, 24}, Align::kBottom, barFields);
//   TRzBitBtn* ok = otherPanel->AddBitBtn({104, 0, 179, 25}, buttonSettings);
//
// Bounds are relative to the parent's client area. Destroying the TRzPanel
// destroys its children and its window; if the parent window goes first,
// the objects stay valid and merely lose their windows.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "widgets/core/colour.h"
#include "widgets/core/panel_paint.h"
#include "widgets/look_state.h"
#include "widgets/paint_context.h"
#include "widgets/paint_only_widget.h"
#include "win/gdi_handles.h"
#include "win/window_class.h"

namespace widgets {

struct PanelSettings {
  PanelLook look;  // frames (BorderOuter fsRaised...), Color, Transparent, ShowGrid
  std::wstring caption;
  // Not owned. The panel's caption font and the font of children that have
  // none of their own; null: the default GUI font.
  HFONT font = nullptr;
  Colour fontColor = colours::kWindowText;
  // Resolves system colour roles for this panel and its children; null: the
  // live system colours.
  const ColourScheme* scheme = nullptr;
  LookChoice lookChoice = LookChoice::kAuto;
};

class TRzPanel final : public WidgetParent {
 public:
  // Null when the window cannot be created.
  static std::unique_ptr<TRzPanel> Create(HWND parent, Rect bounds, PanelSettings settings);
  ~TRzPanel();
  TRzPanel(const TRzPanel&) = delete;
  TRzPanel& operator=(const TRzPanel&) = delete;

  HWND Handle() const override { return window_.get(); }
  const PanelSettings& Settings() const { return settings_; }
  // The client rectangle less the frames: where children are laid out.
  Rect ChildArea() const;

  // Makes a child on this panel (Widget::Create(*this, args...)) and takes it
  // over: a paint-only child comes back by reference and the children are
  // laid out again; a child with a window comes back as a pointer, null when
  // its window cannot be created.
  template <typename Widget, typename... Args>
  decltype(auto) Add(Args&&... args) {
    auto widget = Widget::Create(static_cast<WidgetParent&>(*this), std::forward<Args>(args)...);
    if constexpr (std::is_base_of_v<PaintOnlyWidget, Widget>) {
      Widget& added = *widget;
      AdoptGraphic(std::move(widget));
      return added;
    } else {
      Widget* added = widget.get();
      if (added != nullptr) AdoptWindow(std::move(widget));
      return added;
    }
  }

  // Paints the panel and its paint-only children on `dc` at (0, 0).
  void PaintTo(HDC dc, const PaintContext& context) const;
  // PaintTo through an off-screen bitmap, copied onto `dc` in one piece.
  void PaintBuffered(HDC dc) const;
  // The scheme and look this panel's widgets paint with now.
  PaintContext Context() const override;
  const ColourScheme& Scheme() const;
  HFONT Font() const override;

  // Places the aligned children again (also done on every resize).
  void Realign();
  void InvalidateArea(Rect area) const override;

 private:
  explicit TRzPanel(PanelSettings settings);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  Rect ClientRect() const;
  void AdoptGraphic(std::unique_ptr<PaintOnlyWidget> widget);
  void AdoptWindow(std::unique_ptr<ChildWindow> window);

  PanelSettings settings_;
  win::WindowClass class_;  // outlives the window below
  win::UniqueWindow window_;
  std::vector<std::unique_ptr<PaintOnlyWidget>> graphics_;
  std::vector<std::unique_ptr<ChildWindow>> windows_;
};

}  // namespace widgets
