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

namespace {

long long Overlap(const Area& a, const Area& b) {
  const long long width = std::min(a.right, b.right) - std::max(a.left, b.left);
  const long long height = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
  return width > 0 && height > 0 ? width * height : 0;
}

// How far apart two areas are (0 when they touch or overlap), squared.
long long DistanceSquared(const Area& a, const Area& b) {
  const long long dx = std::max({0, b.left - a.right, a.left - b.right});
  const long long dy = std::max({0, b.top - a.bottom, a.top - b.bottom});
  return dx * dx + dy * dy;
}

}  // namespace

int MonitorShowing(const std::vector<Monitor>& monitors, const Area* window) {
  const int count = static_cast<int>(monitors.size());
  if (window == nullptr) {
    for (int i = 0; i < count; ++i) {
      if (monitors[i].primary) return i;
    }
    return count > 0 ? 0 : -1;
  }
  int best = -1;
  long long bestOverlap = 0;
  for (int i = 0; i < count; ++i) {
    const long long overlap = Overlap(monitors[i].area, *window);
    if (overlap > bestOverlap) {
      best = i;
      bestOverlap = overlap;
    }
  }
  if (best >= 0) return best;
  long long bestDistance = 0;
  for (int i = 0; i < count; ++i) {
    const long long distance = DistanceSquared(monitors[i].area, *window);
    if (best < 0 || distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return best;
}

Point CentreOnMonitor(const Area& monitor, int windowWidth, int windowHeight) {
  return {monitor.left + std::max(0, (monitor.right - monitor.left - windowWidth) / 2),
          monitor.top + std::max(0, (monitor.bottom - monitor.top - windowHeight) / 2)};
}

}  // namespace window
