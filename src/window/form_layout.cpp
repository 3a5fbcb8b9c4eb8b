#include "window/form_layout.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace window {

int MulDivRound(int value, int numerator, int denominator) {
  if (denominator == 0) return -1;
  const std::int64_t product = static_cast<std::int64_t>(value) * numerator;
  const std::int64_t half = std::abs(static_cast<std::int64_t>(denominator)) / 2;
  const bool negative = (product < 0) != (denominator < 0);
  const std::int64_t magnitude = (std::abs(product) + half) / std::abs(std::int64_t{denominator});
  return static_cast<int>(negative ? -magnitude : magnitude);
}

int FontHeightForDpi(int designHeight, int dpi) {
  return dpi == kDesignDpi ? designHeight : MulDivRound(designHeight, dpi, kDesignDpi);
}

namespace {

Bounds ScaleBounds(const Bounds& b, int m, int d) {
  Bounds s;
  s.left = MulDivRound(b.left, m, d);
  s.top = MulDivRound(b.top, m, d);
  s.width = MulDivRound(b.left + b.width, m, d) - s.left;
  s.height = MulDivRound(b.top + b.height, m, d) - s.top;
  return s;
}

}  // namespace

FormLayout ScaleToTextHeight(const FormLayout& design, int realisedTextHeight) {
  if (realisedTextHeight == kDesignTextHeight || realisedTextHeight <= 0) return design;
  const int m = realisedTextHeight;
  const int d = kDesignTextHeight;
  FormLayout s = design;
  s.clientWidth = MulDivRound(design.clientWidth, m, d);
  s.clientHeight = MulDivRound(design.clientHeight, m, d);
  s.labelFontHeight = MulDivRound(design.labelFontHeight, m, d);
  s.clientPanel = ScaleBounds(design.clientPanel, m, d);
  s.label = ScaleBounds(design.label, m, d);
  s.bar = ScaleBounds(design.bar, m, d);
  s.bottomPanel = ScaleBounds(design.bottomPanel, m, d);
  s.button = ScaleBounds(design.button, m, d);
  return s;
}

Point CentreOnDesktop(int desktopWidth, int desktopHeight, int windowWidth, int windowHeight) {
  return {std::max(0, (desktopWidth - windowWidth) / 2),
          std::max(0, (desktopHeight - windowHeight) / 2)};
}

}  // namespace window
