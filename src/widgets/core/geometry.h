// Integer points and rectangles in device pixels, with the few helpers the
// painters share. A rectangle is half-open: it covers columns left..right-1
// and rows top..bottom-1, as GDI's RECT does.
#pragma once

namespace widgets {

struct Point {
  int x = 0;
  int y = 0;
};

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool Empty() const { return right <= left || bottom <= top; }
  bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  friend bool operator==(const Rect& a, const Rect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
  }
  friend bool operator!=(const Rect& a, const Rect& b) { return !(a == b); }
};

inline Rect RectOfSize(int width, int height) { return Rect{0, 0, width, height}; }

// Moves every side in by the same amount (out when negative).
inline Rect RectInset(Rect r, int by) {
  return Rect{r.left + by, r.top + by, r.right - by, r.bottom - by};
}

inline Rect RectOffset(Rect r, int dx, int dy) {
  return Rect{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

}  // namespace widgets
