// Owners of the GDI and window handles the widgets create, each released the
// way it was obtained: CreateCompatibleDC -> DeleteDC, GetDC -> ReleaseDC,
// BeginPaint -> EndPaint, Create* -> DeleteObject, SaveDC -> RestoreDC.
// Declare an object before the guard that selects it, so the old object is
// back in the DC before the new one is deleted.
#pragma once

#include <windows.h>

#include <atomic>
#include <cassert>

namespace win {

// How many GDI objects, memory DCs and windows the owners below hold right
// now, across the module: leak tests compare it before and after.
struct LiveHandles {
  long gdiObjects;
  long memoryDcs;
  long windows;
  bool operator==(const LiveHandles& o) const {
    return gdiObjects == o.gdiObjects && memoryDcs == o.memoryDcs && windows == o.windows;
  }
};

namespace handle_counts {
inline std::atomic<long> gdiObjects{0};
inline std::atomic<long> memoryDcs{0};
inline std::atomic<long> windows{0};
}  // namespace handle_counts

inline LiveHandles CountLiveHandles() {
  return {handle_counts::gdiObjects.load(), handle_counts::memoryDcs.load(),
          handle_counts::windows.load()};
}

// A pen, brush, bitmap or font from one of the Create* functions.
template <typename Handle>
class UniqueGdiObject {
 public:
  explicit UniqueGdiObject(Handle handle = nullptr) : handle_(handle) {
    if (handle_) ++handle_counts::gdiObjects;
  }
  ~UniqueGdiObject() { Release(); }
  UniqueGdiObject(const UniqueGdiObject&) = delete;
  UniqueGdiObject& operator=(const UniqueGdiObject&) = delete;
  UniqueGdiObject(UniqueGdiObject&& other) noexcept : handle_(other.handle_) {
    other.handle_ = nullptr;
  }
  UniqueGdiObject& operator=(UniqueGdiObject&& other) noexcept {
    if (this != &other) {
      Release();
      handle_ = other.handle_;
      other.handle_ = nullptr;
    }
    return *this;
  }
  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  void Release() {
    if (!handle_) return;
    ::DeleteObject(handle_);
    --handle_counts::gdiObjects;
    handle_ = nullptr;
  }

  Handle handle_;
};

using UniquePen = UniqueGdiObject<HPEN>;
using UniqueBrush = UniqueGdiObject<HBRUSH>;
using UniqueBitmap = UniqueGdiObject<HBITMAP>;
using UniqueFont = UniqueGdiObject<HFONT>;

// A memory DC from CreateCompatibleDC.
class UniqueMemoryDc {
 public:
  explicit UniqueMemoryDc(HDC compatibleWith) : dc_(::CreateCompatibleDC(compatibleWith)) {
    if (dc_) ++handle_counts::memoryDcs;
  }
  ~UniqueMemoryDc() {
    if (!dc_) return;
    ::DeleteDC(dc_);
    --handle_counts::memoryDcs;
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
  explicit UniqueWindow(HWND window = nullptr) : window_(nullptr) { Reset(window); }
  ~UniqueWindow() { Reset(); }
  UniqueWindow(const UniqueWindow&) = delete;
  UniqueWindow& operator=(const UniqueWindow&) = delete;
  HWND get() const { return window_; }
  // The window procedure calls this at WM_NCDESTROY: the handle is dead.
  void Forget() {
    if (window_) --handle_counts::windows;
    window_ = nullptr;
  }
  // Destroys the held window (unless it is `window` itself) and holds `window`.
  void Reset(HWND window = nullptr) {
    if (window_ == window) return;
    const HWND old = window_;
    // The window's own WM_NCDESTROY may call Forget() meanwhile.
    if (old && ::IsWindow(old)) ::DestroyWindow(old);
    if (old && window_ == old) Forget();
    if (window) ++handle_counts::windows;
    window_ = window;
  }

 private:
  HWND window_;
};

}  // namespace win
