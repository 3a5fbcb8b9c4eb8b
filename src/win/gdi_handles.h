// Owners of the GDI objects, memory DCs and windows the widgets create, each
// released the way it was obtained: Create* -> DeleteObject,
// CreateCompatibleDC -> DeleteDC, CreateWindowEx -> DestroyWindow. They count
// their live handles across the module, for the leak tests.
#pragma once

#include <windows.h>

#include <atomic>

#include "win/unique_handle.h"

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
template <typename H>
struct GdiObjectTraits {
  using Handle = H;
  static Handle Invalid() { return nullptr; }
  static bool Close(Handle handle) { return ::DeleteObject(handle) != FALSE; }
  static void Count(int delta) { handle_counts::gdiObjects += delta; }
};
using UniquePen = UniqueHandle<GdiObjectTraits<HPEN>>;
using UniqueBrush = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using UniqueBitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using UniqueFont = UniqueHandle<GdiObjectTraits<HFONT>>;

// A memory DC from CreateCompatibleDC.
struct MemoryDcTraits {
  using Handle = HDC;
  static Handle Invalid() { return nullptr; }
  static bool Close(Handle dc) { return ::DeleteDC(dc) != FALSE; }
  static void Count(int delta) { handle_counts::memoryDcs += delta; }
};
using UniqueMemoryDc = UniqueHandle<MemoryDcTraits>;

// A window from CreateWindowEx, destroyed unless it is gone already. The
// window's own procedure calls release() at WM_NCDESTROY: the handle is dead.
struct WindowTraits {
  using Handle = HWND;
  static Handle Invalid() { return nullptr; }
  static bool Close(Handle window) { return !::IsWindow(window) || ::DestroyWindow(window); }
  static void Count(int delta) { handle_counts::windows += delta; }
};
using UniqueWindow = UniqueHandle<WindowTraits>;

}  // namespace win
