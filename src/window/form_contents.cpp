#include "window/form_contents.h"

#include "widgets/bitmap_button.h"
#include "widgets/glyph_resource.h"
#include "widgets/label.h"
#include "widgets/panel.h"
#include "widgets/progress_bar.h"
#include "window/form_error.h"
#include "window/form_texts.h"

namespace window {
namespace {

widgets::Rect ToRect(const Bounds& b) {
  return {b.left, b.top, b.left + b.width, b.top + b.height};
}

// The colour of the label's background and of the bottom panel.
constexpr widgets::Colour kPaleGrey = widgets::Colour::FromRgb(240, 240, 240);

}  // namespace

struct FormContents::Widgets {
  std::unique_ptr<widgets::TRzPanel> RzPanel_Client;
  widgets::TRzLabel* RzLabel_ShowInfo = nullptr;
  widgets::TRzProgressBar* Progress_Step = nullptr;
  std::unique_ptr<widgets::TRzPanel> RzPanel1;
  widgets::TRzBitBtn* Btn_OK = nullptr;
};

FormContents::FormContents(HWND form, const FormLayout& layout, HFONT windowFont, HFONT labelFont)
    : widgets_(std::make_unique<Widgets>()) {
  Widgets& w = *widgets_;

  widgets::PanelSettings client;
  client.look.frames.borderOuter = widgets::fsGroove;
  client.font = windowFont;
  w.RzPanel_Client = widgets::TRzPanel::Create(form, ToRect(layout.clientPanel), client);
  if (w.RzPanel_Client == nullptr) throw FormError{L"Cannot create RzPanel_Client"};

  // The bar takes the bottom of the panel's inner area, the label the rest.
  widgets::ProgressBarModel bar;
  bar.borderOuter = widgets::fsFlat;
  bar.borderWidth = 0;
  bar.interiorOffset = 0;
  w.Progress_Step = &w.RzPanel_Client->Add<widgets::TRzProgressBar>(
      widgets::Rect{0, 0, layout.bar.width, layout.bar.height}, widgets::Align::kBottom, bar);

  widgets::LabelSettings label;
  label.caption = kLabelCaption;
  label.alignment = widgets::HorizontalAlignment::kCentre;
  label.layout = widgets::TextLayout::kCentre;
  label.color = kPaleGrey;
  label.font = labelFont;
  label.fontColor = widgets::Colour::FromRgb(128, 128, 128);
  w.RzLabel_ShowInfo = &w.RzPanel_Client->Add<widgets::TRzLabel>(ToRect(layout.label),
                                                                 widgets::Align::kClient, label);

  widgets::PanelSettings bottom;
  bottom.look.frames.borderOuter = widgets::fsFlat;
  bottom.look.color = kPaleGrey;
  bottom.font = windowFont;
  w.RzPanel1 = widgets::TRzPanel::Create(form, ToRect(layout.bottomPanel), bottom);
  if (w.RzPanel1 == nullptr) throw FormError{L"Cannot create RzPanel1"};

  // Disabled for the life of the window: no modal result, no click handler.
  widgets::BitBtnSettings button;
  button.caption = kButtonCaption;
  button.glyph = widgets::LoadOkGlyph();
  button.enabled = false;
  button.isDefault = true;
  button.hotTrack = true;
  w.Btn_OK = w.RzPanel1->Add<widgets::TRzBitBtn>(ToRect(layout.button), button);
  if (w.Btn_OK == nullptr) throw FormError{L"Cannot create Btn_OK"};
}

FormContents::~FormContents() = default;

bool FormContents::DialogKey(UINT virtualKey) { return widgets_->Btn_OK->DialogKey(virtualKey); }

namespace {
// The bar counts in int; a larger count is scaled down alike for both.
int ToParts(std::size_t count, std::size_t total) {
  constexpr std::size_t kLimit = 0x7fffffff;
  if (total <= kLimit) return static_cast<int>(count);
  return static_cast<int>(static_cast<unsigned long long>(count) * kLimit / total);
}
}  // namespace

void FormContents::ShowProgress(std::size_t done, std::size_t total) {
  widgets::TRzProgressBar& bar = *widgets_->Progress_Step;
  const int totalParts = ToParts(total, total);
  if (bar.Fields().TotalParts() != totalParts) bar.SetTotalParts(totalParts);
  bar.SetPartsComplete(ToParts(done, total));
}

void FormContents::TakeProgressFrom(const FormContents& other) {
  const widgets::ProgressBarModel& shown = other.widgets_->Progress_Step->Fields();
  widgets_->Progress_Step->Change([&](widgets::ProgressBarModel& bar) {
    bar.SetLoading(true);
    bar.SetTotalParts(shown.TotalParts());
    bar.SetPartsComplete(shown.PartsComplete());
    bar.SetLoading(false);
    bar.SetPercent(shown.Percent());
  });
}

void FormContents::ShowFinished() { widgets_->Progress_Step->SetPercent(100); }

std::uint16_t FormContents::Percent() const { return widgets_->Progress_Step->Percent(); }

namespace {
// A widget painted on `panel`, on the screen.
RECT OnScreen(const widgets::TRzPanel& panel, const widgets::Rect& bounds) {
  RECT r{bounds.left, bounds.top, bounds.right, bounds.bottom};
  ::MapWindowPoints(panel.Handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
  return r;
}
}  // namespace

void FormContents::FillView(AccessibleView& view) const {
  const Widgets& w = *widgets_;
  view.label.name = w.RzLabel_ShowInfo->Settings().caption;
  view.label.screen = OnScreen(*w.RzPanel_Client, w.RzLabel_ShowInfo->Bounds());
  view.bar.screen = OnScreen(*w.RzPanel_Client, w.Progress_Step->Bounds());
  view.percent = w.Progress_Step->Percent();
  view.button.name = w.Btn_OK->Settings().caption;
  ::GetWindowRect(w.Btn_OK->Handle(), &view.button.screen);
  view.buttonEnabled = w.Btn_OK->Enabled();
  view.buttonDefault = w.Btn_OK->Settings().isDefault;
}

}  // namespace window
