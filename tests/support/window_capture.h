// The progress window as the screen shows it: its client area captured
// through the real library from the host's own thread, at the moment it is
// shown and fully painted, before its job can start.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "widgets/core/colour.h"

namespace testing_support {

// The client area of a window, as a top-down picture.
struct Capture {
  int width = 0;
  int height = 0;
  std::vector<widgets::Rgb> pixels;
  std::wstring title;
  widgets::Rgb At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
  // The pixels of `colour` in the area; their leftmost and rightmost column.
  int Count(int left, int top, int right, int bottom, widgets::Rgb colour, int* minX = nullptr,
            int* maxX = nullptr) const;
};

// BitBlt from the window's DC: what is on the screen.
Capture CaptureClient(HWND window);

// Captures the progress window that `run` shows on the calling thread once
// shown and fully painted, then closes it. `shown`, when given, acts on the
// window first, at the first message it takes once shown (before its start
// timer); the capture is taken once it has painted what that changed.
Capture CaptureShownWindow(const std::function<void()>& run,
                           const std::function<void(HWND form)>& shown = {});

// Shows the window through DoIt (on the calling thread) and captures it once
// shown and fully painted, then closes it; DoIt must answer "0".
Capture CaptureProgressWindow(const std::function<void(HWND form)>& shown = {});

}  // namespace testing_support
