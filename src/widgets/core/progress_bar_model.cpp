#include "widgets/core/progress_bar_model.h"

#include "widgets/core/default_float_mode.h"
#include "widgets/core/round_half_even.h"

#include <algorithm>
#include <cmath>

namespace widgets {
namespace {

// Round(parts / total x 100); Percent is 16 bits wide, so a larger quotient
// keeps its low bits.
std::uint16_t Share(int parts, int total) {
  const double share = static_cast<double>(parts) / total * 100.0;
  return static_cast<std::uint16_t>(static_cast<long long>(RoundHalfEven(share)));
}

}  // namespace

bool ProgressBarModel::SetPercent(std::uint16_t value) {
  if (value == percent_) return false;
  percent_ = value;
  if (onChange_) onChange_(percent_);
  return true;
}

void ProgressBarModel::SetPartsComplete(int value) {
  if (value == partsComplete_) return;
  partsComplete_ = std::min(value, totalParts_);
  if (!loading_ && totalParts_ != 0) {
    SetPercent(InDefaultFloatMode(Share, partsComplete_, totalParts_));
  }
}

void ProgressBarModel::SetTotalParts(int value) {
  if (value == totalParts_) return;
  totalParts_ = value;
  if (!loading_) {
    partsComplete_ = 0;
    SetPercent(0);
  }
}

void ProgressBarModel::SetBarStyle(BarStyle style) {
  style_ = style;
  showPercent = style == BarStyle::kTraditional;
  interiorOffset = style == BarStyle::kTraditional ? 0 : 1;
}

void ProgressBarModel::SetBarColor(Colour colour) {
  barColor_ = colour;
  fontColor_ = colour;
}

void ProgressBarModel::SetBoundsSize(int width, int height) {
  orientation_ = height > width ? BarOrientation::kVertical : BarOrientation::kHorizontal;
}

}  // namespace widgets
