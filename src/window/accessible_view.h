// What a screen reader is told of the progress window, as the window's own
// thread sees it. The object a reader holds may be called on any thread; it
// asks the window with a message of its own, so it never touches the
// window's contents itself and finds out when the window has gone.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace window {

// The window's contents, children of its client area, in this order.
enum AccessibleChild : LONG { kChildLabel = 1, kChildBar = 2, kChildButton = 3 };
inline constexpr LONG kAccessibleChildren = 3;

struct AccessibleElement {
  std::wstring name;
  RECT screen{};  // where it is on the screen
};

struct AccessibleView {
  std::wstring title;
  RECT client{};  // the client area on the screen
  bool visible = false;
  AccessibleElement label;
  AccessibleElement bar;
  AccessibleElement button;
  std::uint16_t percent = 0;
  bool buttonEnabled = false;
  bool buttonDefault = false;
};

// The message the window answers with its view (lParam: the view to fill),
// and the answer that says it did.
UINT AccessibleViewMessage();
inline constexpr LRESULT kViewGiven = 0x51E5;

// The view a request of this process asks to fill; null for anything else
// (any program may send any window the message: only a request that carries
// this process's key, never known outside it, names a view).
AccessibleView* RequestedView(WPARAM wParam, LPARAM lParam);

// Reads the view of `window` from any thread; false when the window is gone
// or does not answer.
bool ReadAccessibleView(HWND window, AccessibleView& view);

}  // namespace window
