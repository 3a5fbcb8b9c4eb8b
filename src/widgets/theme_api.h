// The visual-styles functions of uxtheme.dll, loaded at run time: whether
// the theme library is present at all is one input of the look rule, so the
// widgets must not depend on it being there at load time.
#pragma once

#include <windows.h>
// uxtheme.h needs the types of windows.h.
#include <uxtheme.h>

#include "win/unique_handle.h"

namespace widgets {

struct ThemeApi {
  BOOL(WINAPI* isAppThemed)() = nullptr;
  BOOL(WINAPI* isThemeActive)() = nullptr;
  DWORD(WINAPI* getThemeAppProperties)() = nullptr;
  HTHEME(WINAPI* openThemeData)(HWND, LPCWSTR) = nullptr;
  HRESULT(WINAPI* closeThemeData)(HTHEME) = nullptr;
  HRESULT(WINAPI* drawThemeBackground)(HTHEME, HDC, int, int, const RECT*, const RECT*) = nullptr;
  HRESULT(WINAPI* drawThemeParentBackground)(HWND, HDC, const RECT*) = nullptr;
  BOOL(WINAPI* isThemeBackgroundPartiallyTransparent)(HTHEME, int, int) = nullptr;

  // True when the library and every function above were found.
  bool present = false;
};

// Loaded once per process, from the system folder only; the library stays
// loaded for the process's lifetime.
const ThemeApi& Theme();

// Theme data for one paint, closed when the owner goes.
struct ThemeTraits : win::Uncounted {
  using Handle = HTHEME;
  static Handle Invalid() { return nullptr; }
  static bool Close(Handle theme);
};
using UniqueTheme = win::UniqueHandle<ThemeTraits>;

// The theme data of `classList` for `window`; null without visual styles.
HTHEME OpenTheme(HWND window, const wchar_t* classList);

}  // namespace widgets
