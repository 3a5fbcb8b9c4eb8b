// The progress window's fixed layout, as designed at 96 dots per inch with a
// window font whose realised text height is 13 pixels, and the rules that fit
// it to the screen: font scaling by dpi, layout scaling by the realised text
// height, centring on the virtual desktop. No Windows API here.
#pragma once

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

// Top-left corner of a window centred on the virtual desktop: each coordinate
// (desktop - window) / 2, raised to 0 when negative; the desktop's origin is
// not added.
Point CentreOnDesktop(int desktopWidth, int desktopHeight, int windowWidth, int windowHeight);

}  // namespace window
