// The progress window's fixed layout, as designed at 96 dots per inch with a
// window font whose realised text height is 13 pixels, and the rules that fit
// it to the screen: font scaling by dpi, layout scaling by the realised text
// height, centring on the monitor that shows the host window. No Windows
// API here.
#pragma once

#include <vector>

namespace window {

struct Bounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const Bounds& other) const {
    return left == other.left && top == other.top && width == other.width && height == other.height;
  }
};

struct Point {
  int x = 0;
  int y = 0;
};

struct FormLayout {
  int clientWidth = 303;
  int clientHeight = 91;
  int fontHeight = 13;                 // the window font's character height
  int labelFontHeight = 12;            // the label's own font
  Bounds clientPanel{0, 0, 303, 64};   // RzPanel_Client, on the window
  Bounds label{2, 2, 299, 36};         // RzLabel_ShowInfo, on RzPanel_Client
  Bounds bar{2, 38, 299, 24};          // Progress_Step, on RzPanel_Client
  Bounds bottomPanel{0, 64, 303, 27};  // RzPanel1, on the window
  Bounds button{104, 0, 75, 25};       // Btn_OK, on RzPanel1

  bool operator==(const FormLayout& o) const {
    return clientWidth == o.clientWidth && clientHeight == o.clientHeight &&
           fontHeight == o.fontHeight && labelFontHeight == o.labelFontHeight &&
           clientPanel == o.clientPanel && label == o.label && bar == o.bar &&
           bottomPanel == o.bottomPanel && button == o.button;
  }
};

// The design's reference: 96 dpi, a realised text height of 13.
inline constexpr int kDesignDpi = 96;
inline constexpr int kDesignTextHeight = 13;

// value * numerator / denominator, rounded half away from zero (the
// platform's MulDiv, without its overflow cases).
int MulDivRound(int value, int numerator, int denominator);

// The window font's character height on a screen of `dpi` dots per inch.
int FontHeightForDpi(int designHeight, int dpi);

// The layout scaled by realisedTextHeight / 13: positions and sizes by their
// edges (so that touching controls keep touching), the label's font and the
// client size. Unchanged when the text height is 13.
FormLayout ScaleToTextHeight(const FormLayout& design, int realisedTextHeight);

// A rectangle of the screen, its right and bottom edges excluded.
struct Area {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

struct Monitor {
  Area area;  // the whole monitor, in screen coordinates
  bool primary = false;
};

// The monitor that shows a window covering `window`: the one it overlaps
// most (the first of equals), the nearest when it overlaps none; the primary
// monitor when there is no window (null). -1 when there are no monitors.
int MonitorShowing(const std::vector<Monitor>& monitors, const Area* window);

// Top-left corner of a window centred on `monitor`: each coordinate the
// monitor's edge + (monitor - window) / 2, the latter raised to 0 when
// negative. On a single monitor at (0, 0) the desktop's centre.
Point CentreOnMonitor(const Area& monitor, int windowWidth, int windowHeight);

}  // namespace window
