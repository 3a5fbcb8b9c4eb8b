// Helpers of the painting tests under Wine: a 32-bit DIB to paint into and
// read back, the window's fonts, and throwaway top-level windows.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "widgets/core/colour.h"
#include "widgets/core/geometry.h"
#include "win/gdi_handles.h"

namespace widgets::testing {

// The window's texts.
inline const std::wstring kInfoCaption =
    L"\u6570\u636E\u6E90\u5904\u7406\u4E2D\u8BF7\u7A0D\u5019...";  // 数据源处理中请稍候...
inline const std::wstring kOkCaption = L"\u786E\u5B9A";            // 确定

// A top-down 32-bit DIB section selected into a memory DC.
class DibSurface {
 public:
  DibSurface(int width, int height, Rgb fill);
  ~DibSurface();
  DibSurface(const DibSurface&) = delete;
  DibSurface& operator=(const DibSurface&) = delete;

  HDC Dc() const { return dc_.get(); }
  int Width() const { return width_; }
  int Height() const { return height_; }
  Rgb At(int x, int y) const;
  // The smallest rectangle inside `area` holding every pixel of `colour`;
  // empty when there is none.
  Rect BoxOf(Rect area, Rgb colour) const;
  int Count(Rect area, Rgb colour) const;
  // Written as <name>.png into the build tree's widgets-png folder.
  void SavePng(const std::string& name) const;

 private:
  int width_;
  int height_;
  win::UniqueMemoryDc dc_;
  std::uint32_t* bits_ = nullptr;
  win::UniqueBitmap bitmap_;
  HGDIOBJ old_ = nullptr;
};

// "宋体", GB2312, the given character height.
win::UniqueFont MakeSongti(int charHeight);

// A top-level window of a plain test class (DefWindowProc), owned by
// `owner` when given, destroyed at the end of the test.
class TestWindow {
 public:
  explicit TestWindow(HWND owner = nullptr, int width = 303, int height = 91, bool visible = false);
  HWND get() const { return window_.get(); }

 private:
  win::UniqueWindow window_;
};

}  // namespace widgets::testing
