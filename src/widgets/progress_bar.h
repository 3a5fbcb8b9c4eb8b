// TRzProgressBar: a traditional progress bar painted by its parent panel,
// through an off-screen bitmap of its size that is copied onto the panel in
// one piece. Classic look: BorderColor, the frames, then the field in
// BackColor with the filled part in BarColor and the percentage centred
// on the field's right edge halved, in BackColor over the filled part and in
// BarColor over the rest. Visual-style look: the platform's progress track
// with the field moved in by InteriorOffset + 3. The font is the panel's.
//
// Usage (the progress window's bar):
//   ProgressBarModel fields;
//   fields.borderOuter = fsFlat;
//   TRzProgressBar& bar = panel->Add<TRzProgressBar>(Rect{0, 0, 299, 24}, Align::kBottom, fields);
//   bar.SetPercent(25);
#pragma once

#include <cstdint>
#include <memory>

#include "widgets/core/progress_bar_model.h"
#include "widgets/paint_only_widget.h"

namespace widgets {

class TRzProgressBar final : public PaintOnlyWidget {
 public:
  static std::unique_ptr<TRzProgressBar> Create(WidgetParent& parent, Rect bounds, Align align,
                                                const ProgressBarModel& fields);
  const ProgressBarModel& Fields() const { return fields_; }

  std::uint16_t Percent() const { return fields_.Percent(); }
  // Stores, raises OnChange and repaints when the value is new.
  void SetPercent(std::uint16_t value);
  void SetPartsComplete(int value);
  void SetTotalParts(int value);
  void SetOnChange(ProgressBarModel::ChangeHandler handler);
  // Any other field: change it in `edit`, then the bar repaints.
  template <typename Edit>
  void Change(Edit&& edit) {
    edit(fields_);
    Invalidate();
  }

  void Paint(HDC dc, const PaintContext& context) const override;

 private:
  TRzProgressBar(WidgetParent& parent, Rect bounds, Align align, const ProgressBarModel& fields);
  void BoundsChanged() override;
  void PaintBar(HDC dc, const PaintContext& context) const;

  ProgressBarModel fields_;
};

}  // namespace widgets
