// A host that runs with upward floating point rounding sees the same progress
// window, pixel for pixel, as one with the default mode, and has its own mode
// back when DoIt returns.
#include <gtest/gtest.h>
#include <xmmintrin.h>

#include <cfenv>

#include "window_capture.h"

namespace {

using namespace testing_support;

// The SSE control bits (masks, rounding, flush-to-zero), without the flags.
unsigned SseControl() { return _mm_getcsr() & ~0x3Fu; }

TEST(HostFloatModeCapture, UpwardRoundingShowsTheDefaultWindowPixelForPixel) {
  ASSERT_EQ(std::fegetround(), FE_TONEAREST);
  const Capture standard = CaptureProgressWindow();
  ASSERT_EQ(standard.width, 303);
  ASSERT_EQ(standard.height, 91);

  ASSERT_EQ(std::fesetround(FE_UPWARD), 0);
  const unsigned control = SseControl();
  const Capture upward = CaptureProgressWindow();
  EXPECT_EQ(std::fegetround(), FE_UPWARD);
  EXPECT_EQ(SseControl(), control);
  std::fesetround(FE_TONEAREST);

  ASSERT_EQ(upward.width, standard.width);
  ASSERT_EQ(upward.height, standard.height);
  int differing = 0;
  for (std::size_t i = 0; i < standard.pixels.size(); ++i) {
    if (standard.pixels[i] != upward.pixels[i]) ++differing;
  }
  EXPECT_EQ(differing, 0);
}

}  // namespace
