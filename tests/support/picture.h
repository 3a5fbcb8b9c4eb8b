// Renders a PixelCanvas as rows of letters, one per pixel, so frame tests can
// compare whole pictures: each colour of the legend has its letter, any other
// colour shows as '?'.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "pixel_canvas.h"

namespace widgets::testing {

using Legend = std::vector<std::pair<char, Rgb>>;

inline std::vector<std::string> Picture(const PixelCanvas& canvas, const Legend& legend) {
  std::vector<std::string> rows;
  for (int y = 0; y < canvas.Height(); ++y) {
    std::string row;
    for (int x = 0; x < canvas.Width(); ++x) {
      char letter = '?';
      for (const auto& [c, rgb] : legend) {
        if (canvas.At(x, y) == rgb) {
          letter = c;
          break;
        }
      }
      row.push_back(letter);
    }
    rows.push_back(row);
  }
  return rows;
}

}  // namespace widgets::testing

namespace widgets {
inline std::ostream& operator<<(std::ostream& os, Rgb c) {
  return os << '(' << int{c.r} << ',' << int{c.g} << ',' << int{c.b} << ')';
}
inline std::ostream& operator<<(std::ostream& os, const Rect& r) {
  return os << '(' << r.left << ',' << r.top << ',' << r.right << ',' << r.bottom << ')';
}
inline std::ostream& operator<<(std::ostream& os, Colour c) {
  return os << "Colour(0x" << std::hex << c.Value() << std::dec << ')';
}
}  // namespace widgets
