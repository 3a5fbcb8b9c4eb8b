#include "window_capture.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "host_thread_hooks.h"
#include "host_window.h"
#include "temp_folder.h"

namespace testing_support {

using widgets::Rgb;

int Capture::Count(int left, int top, int right, int bottom, Rgb colour, int* minX,
                   int* maxX) const {
  int count = 0;
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) {
      if (At(x, y) == colour) {
        ++count;
        if (minX && (count == 1 || x < *minX)) *minX = x;
        if (maxX && x > *maxX) *maxX = x;
      }
    }
  }
  return count;
}

Capture CaptureClient(HWND window) {
  Capture capture;
  RECT client{};
  ::GetClientRect(window, &client);
  capture.width = client.right;
  capture.height = client.bottom;
  wchar_t title[64] = {};
  ::GetWindowTextW(window, title, 64);
  capture.title = title;

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = capture.width;
  info.bmiHeader.biHeight = -capture.height;  // top-down
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
  for (int i = 0; i < capture.width * capture.height; ++i) {
    capture.pixels.push_back({static_cast<std::uint8_t>(p[i] >> 16),
                              static_cast<std::uint8_t>(p[i] >> 8),
                              static_cast<std::uint8_t>(p[i])});
  }
  ::SelectObject(memory, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(window, screen);
  return capture;
}

// Captures the window from the host's own thread at the first message the
// window takes once it is shown and fully painted (a message posted behind
// each paint gives that moment at once), then closes it. Should the window's
// one-second timer come first (a slow machine), what waits to be painted is
// painted, the timer message is held back and the capture taken all the
// same: the job never starts, whatever the load.
Capture CaptureShownWindow(const std::function<void()>& run,
                           const std::function<void(HWND form)>& shown) {
  Capture capture;
  bool acted = !shown;
  bool captured = false;
  HostThreadHooks hooks(
      [&](MSG& message) {
        if (captured) return;
        HWND form = ::FindWindowW(kFormClass, nullptr);
        if (form == nullptr || !::IsWindowVisible(form)) return;
        if (!acted) {
          acted = true;
          shown(form);
        }
        if (message.message == WM_PAINT) {
          ::PostMessageW(form, WM_NULL, 0, 0);
          return;
        }
        const bool timer = message.message == WM_TIMER && message.hwnd == form;
        if (!timer && !FullyPainted(form)) return;
        if (timer) {
          ::RedrawWindow(form, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
          message.message = WM_NULL;
        }
        capture = CaptureClient(form);
        captured = true;
        ::PostMessageW(form, WM_CLOSE, 0, 0);
      },
      nullptr);
  EXPECT_TRUE(hooks.Installed());
  run();
  EXPECT_TRUE(captured);
  return capture;
}

Capture CaptureProgressWindow(const std::function<void(HWND form)>& shown) {
  Library library;
  HostWindow host;
  TempFolder work;
  return CaptureShownWindow(
      [&] { EXPECT_EQ(library.Run(host.Handle(), ToAnsi(work.Path()).c_str(), "D:\\src"), L"0"); },
      shown);
}

}  // namespace testing_support
