// Owners of the GDI and window handles the widgets create, each released the
// way it was obtained: CreateCompatibleDC -> DeleteDC, GetDC -> ReleaseDC,
// BeginPaint -> EndPaint, Create* -> DeleteObject, SaveDC -> RestoreDC.
// Declare an object before the guard that selects it, so the old object is
// back in the DC before the new one is deleted.
#pragma once

#include <windows.h>

#include <cassert>

namespace widgets {

// A pen, brush, bitmap or font from one of the Create* functions.
template <typename Handle>
class UniqueGdiObject {
 public:
  explicit UniqueGdiObject(Handle handle = nullptr) : handle_(handle) {}
  ~UniqueGdiObject() {
    if (handle_) ::DeleteObject(handle_);
  }
  UniqueGdiObject(const UniqueGdiObject&) = delete;
  UniqueGdiObject& operator=(const UniqueGdiObject&) = delete;
  UniqueGdiObject(UniqueGdiObject&& other) noexcept : handle_(other.handle_) {
    other.handle_ = nullptr;
  }
  UniqueGdiObject& operator=(UniqueGdiObject&& other) noexcept {
    if (this != &other) {
      if (handle_) ::DeleteObject(handle_);
      handle_ = other.handle_;
      other.handle_ = nullptr;
    }
    return *this;
  }
  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  Handle handle_;
};

using UniquePen = UniqueGdiObject<HPEN>;
using UniqueBrush = UniqueGdiObject<HBRUSH>;
using UniqueBitmap = UniqueGdiObject<HBITMAP>;
using UniqueFont = UniqueGdiObject<HFONT>;

// A memory DC from CreateCompatibleDC.
class UniqueMemoryDc {
 public:
  explicit UniqueMemoryDc(HDC compatibleWith) : dc_(::CreateCompatibleDC(compatibleWith)) {}
  ~UniqueMemoryDc() {
    if (dc_) ::DeleteDC(dc_);
  }
  UniqueMemoryDc(const UniqueMemoryDc&) = delete;
  UniqueMemoryDc& operator=(const UniqueMemoryDc&) = delete;
  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HDC dc_;
};

// A window's DC from GetDC (null window: the screen).
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(::GetDC(window)) {}
  ~WindowDc() {
    if (dc_) ::ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// The DC of a WM_PAINT turn.
class PaintDc {
 public:
  explicit PaintDc(HWND window) : window_(window), dc_(::BeginPaint(window, &ps_)) {}
  ~PaintDc() { ::EndPaint(window_, &ps_); }
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT ps_{};
  HDC dc_;
};

// Selects an object for the guard's lifetime and puts the old one back.
class SelectGuard {
 public:
  SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), old_(::SelectObject(dc, object)) {
    assert(old_ != nullptr && old_ != HGDI_ERROR);
  }
  ~SelectGuard() {
    if (old_ && old_ != HGDI_ERROR) ::SelectObject(dc_, old_);
  }
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// Saves the whole DC state (font, colours, clip, origin...) and restores it,
// so painters leave a caller's DC (WM_PRINTCLIENT) as they found it.
class SavedDc {
 public:
  explicit SavedDc(HDC dc) : dc_(dc), saved_(::SaveDC(dc)) {}
  ~SavedDc() {
    if (saved_ != 0) ::RestoreDC(dc_, saved_);
  }
  SavedDc(const SavedDc&) = delete;
  SavedDc& operator=(const SavedDc&) = delete;

 private:
  HDC dc_;
  int saved_;
};

// A window from CreateWindowEx, destroyed unless it is gone already.
class UniqueWindow {
 public:
  explicit UniqueWindow(HWND window = nullptr) : window_(window) {}
  ~UniqueWindow() { Reset(); }
  UniqueWindow(const UniqueWindow&) = delete;
  UniqueWindow& operator=(const UniqueWindow&) = delete;
  HWND get() const { return window_; }
  // The window procedure calls this at WM_NCDESTROY: the handle is dead.
  void Forget() { window_ = nullptr; }
  // Destroys the held window (unless it is `window` itself) and holds `window`.
  void Reset(HWND window = nullptr) {
    if (window_ && window_ != window && ::IsWindow(window_)) ::DestroyWindow(window_);
    window_ = window;
  }

 private:
  HWND window_;
};

}  // namespace widgets
