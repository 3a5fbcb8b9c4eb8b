// The message procedure of a window that belongs to an object: the object
// arrives with WM_NCCREATE (as the creation parameter), holds the handle from
// then on (messages come before CreateWindowEx returns), and lets it go at
// WM_NCDESTROY. Nothing thrown by the object leaves the procedure.
#pragma once

#include <windows.h>

#include "win/gdi_handles.h"

namespace win {

template <typename Owner>
LRESULT RouteToOwner(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                     UniqueWindow Owner::*handle, LRESULT (Owner::*handler)(UINT, WPARAM, LPARAM)) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    (static_cast<Owner*>(create->lpCreateParams)->*handle).reset(window);
  }
  auto* owner = reinterpret_cast<Owner*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (owner == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    (owner->*handle).release();
    return ::DefWindowProcW(window, message, wParam, lParam);
  }
  try {
    return (owner->*handler)(message, wParam, lParam);
  } catch (...) {
    return ::DefWindowProcW(window, message, wParam, lParam);
  }
}

// RouteToOwner as a window procedure of its own, for a window class:
//   RoutedProc<TRzPanel, &TRzPanel::window_, &TRzPanel::HandleMessage>
template <typename Owner, UniqueWindow Owner::*handle,
          LRESULT (Owner::*handler)(UINT, WPARAM, LPARAM)>
LRESULT CALLBACK RoutedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return RouteToOwner(window, message, wParam, lParam, handle, handler);
}

}  // namespace win
