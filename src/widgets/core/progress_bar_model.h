// The fields of a progress bar and the rules that tie them together:
// Percent, PartsComplete and TotalParts, the OnChange event, the bar style's
// side effects and the orientation that follows the bounds.
//
// TODO: the segmented bar style is stored (with its ShowPercent and
// InteriorOffset side effects) but painted as the traditional bar.
#pragma once

#include <cstdint>
#include <functional>

#include "widgets/core/colour.h"
#include "widgets/core/frames.h"

namespace widgets {

enum class BarOrientation { kHorizontal, kVertical };
enum class BarStyle { kTraditional, kSegmented };

class ProgressBarModel {
 public:
  // OnChange(Percent), raised after every change of Percent.
  using ChangeHandler = std::function<void(std::uint16_t percent)>;

  std::uint16_t Percent() const { return percent_; }
  // Stores a new value (not limited to 100) and raises OnChange; false when
  // the value is unchanged and nothing happened.
  bool SetPercent(std::uint16_t value);

  int PartsComplete() const { return partsComplete_; }
  int TotalParts() const { return totalParts_; }
  // Stores min(value, TotalParts); outside loading and with TotalParts not 0
  // also sets Percent = Round(PartsComplete / TotalParts x 100).
  void SetPartsComplete(int value);
  // Outside loading also resets PartsComplete and Percent to 0.
  void SetTotalParts(int value);
  // While loading (the fields arrive one by one from a stored layout) the
  // parts do not recompute Percent.
  void SetLoading(bool loading) { loading_ = loading; }

  BarStyle Style() const { return style_; }
  // Traditional: ShowPercent true, InteriorOffset 0; segmented: false, 1.
  void SetBarStyle(BarStyle style);
  Colour BarColor() const { return barColor_; }
  Colour FontColor() const { return fontColor_; }
  // Also sets the font colour.
  void SetBarColor(Colour colour);

  // Vertical when the height exceeds the width.
  void SetBoundsSize(int width, int height);
  BarOrientation Orientation() const { return orientation_; }

  void SetOnChange(ChangeHandler handler) { onChange_ = std::move(handler); }

  bool showPercent = true;
  Colour backColor = colours::kWhite;
  Colour borderColor = colours::kButtonFace;
  FrameStyle borderOuter = fsLowered;
  FrameStyle borderInner = fsNone;
  int bevelWidth = 1;
  int borderWidth = 0;
  Colour flatColor = colours::kButtonShadow;
  int flatColorAdjustment = 30;
  int interiorOffset = 0;
  int numSegments = 20;
  bool themeAware = true;

 private:
  std::uint16_t percent_ = 0;
  int partsComplete_ = 0;
  int totalParts_ = 0;
  bool loading_ = false;
  BarStyle style_ = BarStyle::kTraditional;
  Colour barColor_ = colours::kHighlight;
  Colour fontColor_ = colours::kHighlight;
  BarOrientation orientation_ = BarOrientation::kHorizontal;
  ChangeHandler onChange_;
};

}  // namespace widgets
