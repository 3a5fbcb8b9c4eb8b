// Rounding to the nearest integer with halves to even, whatever rounding mode
// the host process has set for floating point. The arithmetic that produces
// the value is mode-dependent all the same: the callers run it inside
// DefaultFloatMode (default_float_mode.h).
#pragma once

#include <cmath>

namespace widgets {

inline double RoundHalfEven(double value) {
  const double lower = std::floor(value);
  const double fraction = value - lower;
  if (fraction > 0.5) return lower + 1.0;
  if (fraction < 0.5) return lower;
  return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

}  // namespace widgets
