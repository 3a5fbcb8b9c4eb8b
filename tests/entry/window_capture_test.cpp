// The progress window as a person sees it, through the real library: a
// capture of its client area while it is up (BitBlt from the window's DC gives
// what is on the screen), checked against the layout's pixel facts in the
// platform's colours, and saved as a PNG.
#include <gtest/gtest.h>

#include <string>

#include "host_thread_hooks.h"
#include "host_window.h"
#include "png_file.h"
#include "temp_folder.h"
#include "widgets/core/colour.h"
#include "widgets/core/hsl240.h"
#include "widgets/system_colours.h"
#include "window_capture.h"

namespace {

using namespace testing_support;
using widgets::Rgb;

Rgb System(int index) {
  const COLORREF c = ::GetSysColor(index);
  return {GetRValue(c), GetGValue(c), GetBValue(c)};
}

// The colour of the flat frames: the button shadow raised by 30.
Rgb FlatFrame() {
  return widgets::RaiseLightness(widgets::colours::kButtonShadow, 30, widgets::SystemScheme())
      .Resolve(widgets::SystemScheme());
}

TEST(WindowCapture, ShowsTheLayoutInThePlatformsColours) {
  const Capture c = CaptureProgressWindow();
  ASSERT_EQ(c.width, 303);
  ASSERT_EQ(c.height, 91);
  widgets::testing::WritePng(QESH_CAPTURE_DIR "/progress-window-96dpi.png", c.width, c.height,
                             c.pixels);
  EXPECT_EQ(c.title, L"\u5220\u9664DBF\u6570\u636e\u5e93\u7d22\u5f15");

  const Rgb shadow = System(COLOR_BTNSHADOW), light = System(COLOR_BTNHIGHLIGHT);
  const Rgb flat =
      widgets::RaiseLightness(widgets::colours::kButtonShadow, 30, widgets::SystemScheme())
          .Resolve(widgets::SystemScheme());
  const Rgb pale{240, 240, 240}, white{255, 255, 255};

  // RzPanel_Client: the 2-pixel groove, shadow outside at top and left.
  EXPECT_EQ(c.At(0, 10), shadow);
  EXPECT_EQ(c.At(1, 10), light);
  EXPECT_EQ(c.At(10, 0), shadow);
  EXPECT_EQ(c.At(10, 1), light);
  EXPECT_EQ(c.At(302, 10), light);
  EXPECT_EQ(c.At(301, 10), shadow);
  EXPECT_EQ(c.At(10, 63), light);
  EXPECT_EQ(c.At(10, 62), shadow);
  // RzLabel_ShowInfo: pale grey, the caption in grey, centred.
  EXPECT_EQ(c.At(5, 5), pale);
  int left = 0, right = 0;
  const int grey = c.Count(2, 2, 301, 38, Rgb{128, 128, 128}, &left, &right);
  EXPECT_GT(grey, 100);
  EXPECT_NEAR((left + right) / 2.0, 151.5, 3.0);
  // Progress_Step: flat frame, white field, "0%" in the highlight colour.
  EXPECT_EQ(c.At(2, 38), flat);
  EXPECT_EQ(c.At(300, 61), flat);
  EXPECT_EQ(c.At(8, 44), white);
  left = right = 0;
  EXPECT_GT(c.Count(3, 39, 300, 61, System(COLOR_HIGHLIGHT), &left, &right), 10);
  EXPECT_NEAR((left + right + 1) / 2.0, 2 + 149, 2.0);
  // RzPanel1: flat frame, pale grey fill.
  EXPECT_EQ(c.At(0, 80), flat);
  EXPECT_EQ(c.At(302, 80), flat);
  EXPECT_EQ(c.At(50, 80), pale);
  // Btn_OK at (104, 64), disabled: frame one pixel in, corners left out.
  for (int y = 66; y <= 86; ++y) EXPECT_EQ(c.At(105, y), flat) << y;
  EXPECT_NE(c.At(105, 65), flat);
  EXPECT_GT(c.Count(111, 69, 127, 85, Rgb{153, 153, 153}), 5);        // the grey check mark
  EXPECT_EQ(c.Count(111, 69, 127, 85, Rgb{0, 153, 0}), 0);            // not the green one
  EXPECT_GT(c.Count(131, 69, 174, 84, System(COLOR_BTNSHADOW)), 10);  // embossed caption
}

}  // namespace

namespace {

// A per-monitor aware host's window moved to a monitor of 144 dpi: the system
// sends the new DPI and a suggested place (under Wine every monitor has the
// screen's DPI, so the test sends what the system would). The window is
// built as at 144 dpi: "宋体" asked for at 13 x 144 / 96 = 20 pixels realises
// 20 high, so everything grows by 20 / 13.
TEST(WindowCaptureDpiChange, IsBuiltForTheNewDpiAtTheSuggestedPlace) {
  RECT frame{};
  const Capture c = CaptureProgressWindow([&](HWND form) {
    RECT suggested{40, 30, 520, 220};
    ::SendMessageW(form, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    ::GetWindowRect(form, &frame);
  });
  widgets::testing::WritePng(QESH_CAPTURE_DIR "/progress-window-144dpi.png", c.width, c.height,
                             c.pixels);
  EXPECT_EQ(frame.left, 40);
  EXPECT_EQ(frame.top, 30);
  ASSERT_EQ(c.width, 466);
  ASSERT_EQ(c.height, 140);
  const Rgb flat = FlatFrame();
  // The groove keeps its 2 pixels; RzPanel1 starts at 64 x 20 / 13 = 98,
  // Btn_OK at 104 x 20 / 13 = 160 on it; the bar's frame at the bottom of the
  // client panel's inner area (98 - 2 - 37 = 59); the caption grey, centred.
  EXPECT_EQ(c.At(0, 20), System(COLOR_BTNSHADOW));
  EXPECT_EQ(c.At(1, 20), System(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(c.At(0, 97), System(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(c.At(0, 98), flat);
  EXPECT_EQ(c.At(0, 139), flat);
  EXPECT_EQ(c.At(161, 98 + 20), flat);  // the button's frame, one pixel in
  EXPECT_NE(c.At(159, 98 + 20), flat);
  EXPECT_EQ(c.At(2, 59), flat);
  EXPECT_NE(c.At(2, 58), flat);
  int left = 0, right = 0;
  EXPECT_GT(c.Count(2, 2, 464, 59, Rgb{128, 128, 128}, &left, &right), 150);
  EXPECT_NEAR((left + right) / 2.0, 233.0, 4.0);
}

// Run in a prefix whose screen has 120 dots per inch: the window font is
// asked for at 13 x 120 / 96 = 16 pixels, and the whole window grows by the
// realised text height / 13.
TEST(WindowCapture120Dpi, GrowsWithTheRealisedTextHeight) {
  HDC screen = ::GetDC(nullptr);
  const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);
  ASSERT_EQ(dpi, 120) << "this test runs in the 120 dpi prefix (QESH_DPI=120)";

  const Capture c = CaptureProgressWindow();
  widgets::testing::WritePng(QESH_CAPTURE_DIR "/progress-window-120dpi.png", c.width, c.height,
                             c.pixels);
  // "宋体" at 16 pixels realises 16 pixels high here: 303 x 91 times 16 / 13.
  EXPECT_EQ(c.width, 373);
  EXPECT_EQ(c.height, 112);
  const Rgb flat = FlatFrame();
  // The groove keeps its 2 pixels; the bar (bottom of the client panel) and
  // the bottom panel move down with the scale.
  EXPECT_EQ(c.At(0, 20), System(COLOR_BTNSHADOW));
  EXPECT_EQ(c.At(2, 79 - 2 - 29), flat);  // bar frame: panel height 79, bar 29
  EXPECT_EQ(c.At(0, 100), flat);          // RzPanel1 from y = 79
  int left = 0, right = 0;
  EXPECT_GT(c.Count(2, 2, 371, 48, Rgb{128, 128, 128}, &left, &right), 100);
  EXPECT_NEAR((left + right) / 2.0, 186.0, 4.0);
}

}  // namespace
