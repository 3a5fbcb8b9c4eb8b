#include "gdi_test_support.h"

#include "png_file.h"

namespace widgets::testing {

DibSurface::DibSurface(int width, int height, Rgb fill)
    : width_(width), height_(height), dc_(::CreateCompatibleDC(nullptr)) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_ =
      win::UniqueBitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  bits_ = static_cast<std::uint32_t*>(bits);
  old_ = ::SelectObject(dc_.get(), bitmap_.get());
  ::GdiFlush();
  const std::uint32_t value = (std::uint32_t{fill.r} << 16) | (std::uint32_t{fill.g} << 8) | fill.b;
  for (int i = 0; i < width * height; ++i) bits_[i] = value;
}

DibSurface::~DibSurface() {
  if (old_) ::SelectObject(dc_.get(), old_);
}

Rgb DibSurface::At(int x, int y) const {
  ::GdiFlush();
  const std::uint32_t p = bits_[y * width_ + x];
  return Rgb{static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
             static_cast<std::uint8_t>(p)};
}

Rect DibSurface::BoxOf(Rect area, Rgb colour) const {
  Rect box{area.right, area.bottom, area.left, area.top};
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      if (At(x, y) != colour) continue;
      box.left = std::min(box.left, x);
      box.top = std::min(box.top, y);
      box.right = std::max(box.right, x + 1);
      box.bottom = std::max(box.bottom, y + 1);
    }
  }
  return box.Empty() ? Rect{} : box;
}

int DibSurface::Count(Rect area, Rgb colour) const {
  int n = 0;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) n += At(x, y) == colour ? 1 : 0;
  }
  return n;
}

void DibSurface::SavePng(const std::string& name) const {
  const std::string folder = QESH_PNG_DIR;
  ::CreateDirectoryA(folder.c_str(), nullptr);
  std::vector<Rgb> pixels;
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) pixels.push_back(At(x, y));
  }
  WritePng(folder + "/" + name + ".png", width_, height_, pixels);
}

win::UniqueFont MakeSongti(int charHeight) {
  LOGFONTW lf{};
  lf.lfHeight = -charHeight;
  lf.lfCharSet = GB2312_CHARSET;
  wcscpy(lf.lfFaceName, L"\u5B8B\u4F53");
  return win::UniqueFont(::CreateFontIndirectW(&lf));
}

TestWindow::TestWindow(HWND owner, int width, int height, bool visible) {
  static const bool registered = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"QeshWidgetTestWindow";
    return ::RegisterClassExW(&wc) != 0;
  }();
  if (!registered) return;
  window_.reset(::CreateWindowExW(0, L"QeshWidgetTestWindow", L"widgets",
                                  WS_POPUP | (visible ? WS_VISIBLE : 0), 0, 0, width, height, owner,
                                  nullptr, ::GetModuleHandleW(nullptr), nullptr));
}

}  // namespace widgets::testing
