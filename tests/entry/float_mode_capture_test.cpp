// A host that runs with upward floating point rounding sees the same progress
// window, pixel for pixel, as one with the default mode, and has its own mode
// back when DoIt returns.
#include <gtest/gtest.h>
#include <xmmintrin.h>

#include <cfenv>
#include <cstdint>
#include <vector>

#include "host_window.h"
#include "temp_folder.h"

namespace {

using namespace testing_support;

struct Capture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
};

// The client area as the screen shows it (BitBlt from the window's DC).
Capture CaptureClient(HWND window) {
  Capture capture;
  RECT client{};
  ::GetClientRect(window, &client);
  capture.width = client.right;
  capture.height = client.bottom;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = capture.width;
  info.bmiHeader.biHeight = -capture.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC screen = ::GetDC(window);
  HDC memory = ::CreateCompatibleDC(screen);
  HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  ::BitBlt(memory, 0, 0, capture.width, capture.height, screen, 0, 0, SRCCOPY);
  ::GdiFlush();
  const auto* p = static_cast<const std::uint32_t*>(bits);
  capture.pixels.assign(p, p + capture.width * capture.height);
  ::SelectObject(memory, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(window, screen);
  return capture;
}

// DoIt on this thread (in its current floating point mode); the window is
// captured once painted and closed by the user.
Capture CaptureThroughDoIt() {
  Library library;
  HostWindow host;
  TempFolder work;
  Capture capture;
  Watcher watcher([&] {
    HWND form = WaitForProgressWindow();
    ::Sleep(400);  // the first paint
    capture = CaptureClient(form);
    ::PostMessageW(form, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(library.Run(host.Handle(), ToAnsi(work.Path()).c_str(), "D:\\src"), L"0");
  return capture;
}

// The SSE control bits (masks, rounding, flush-to-zero), without the flags.
unsigned SseControl() { return _mm_getcsr() & ~0x3Fu; }

TEST(HostFloatModeCapture, UpwardRoundingShowsTheDefaultWindowPixelForPixel) {
  ASSERT_EQ(std::fegetround(), FE_TONEAREST);
  const Capture standard = CaptureThroughDoIt();
  ASSERT_EQ(standard.width, 303);
  ASSERT_EQ(standard.height, 91);

  ASSERT_EQ(std::fesetround(FE_UPWARD), 0);
  const unsigned control = SseControl();
  const Capture upward = CaptureThroughDoIt();
  EXPECT_EQ(std::fegetround(), FE_UPWARD);
  EXPECT_EQ(SseControl(), control);
  std::fesetround(FE_TONEAREST);

  ASSERT_EQ(upward.width, standard.width);
  ASSERT_EQ(upward.height, standard.height);
  int differing = 0;
  for (std::size_t i = 0; i < standard.pixels.size(); ++i) {
    if ((standard.pixels[i] & 0xFFFFFF) != (upward.pixels[i] & 0xFFFFFF)) ++differing;
  }
  EXPECT_EQ(differing, 0);
}

}  // namespace
