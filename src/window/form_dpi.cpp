#include "window/form_dpi.h"

#include "win/system_library.h"
#include "window/gdi_font.h"

namespace window {
namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using AdjustForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

HMODULE User32() { return ::GetModuleHandleW(L"user32.dll"); }

}  // namespace

UINT WindowDpi(HWND hwnd) {
  GetDpiForWindowFn getDpi = nullptr;
  if (win::BindProc(User32(), "GetDpiForWindow", getDpi)) {
    const UINT dpi = getDpi(hwnd);
    if (dpi != 0) return dpi;
  }
  return static_cast<UINT>(ScreenDpi());
}

FormAtDpi BuildFormAtDpi(int dpi) {
  FormAtDpi form;
  form.windowFont = CreateSongtiFont(FontHeightForDpi(FormLayout{}.fontHeight, dpi));
  form.layout = ScaleToTextHeight(FormLayout{}, RealisedTextHeight(form.windowFont.get()));
  form.labelFont = CreateSongtiFont(form.layout.labelFontHeight);
  return form;
}

void SizeToClient(HWND hwnd, const POINT* topLeft, int width, int height) {
  const DWORD style = static_cast<DWORD>(::GetWindowLongW(hwnd, GWL_STYLE));
  const DWORD exStyle = static_cast<DWORD>(::GetWindowLongW(hwnd, GWL_EXSTYLE));
  RECT frame{0, 0, width, height};
  AdjustForDpiFn adjustForDpi = nullptr;
  if (!win::BindProc(User32(), "AdjustWindowRectExForDpi", adjustForDpi) ||
      !adjustForDpi(&frame, style, FALSE, exStyle, WindowDpi(hwnd))) {
    frame = RECT{0, 0, width, height};
    ::AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  }
  UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (topLeft == nullptr ? SWP_NOMOVE : 0);
  const POINT at = topLeft != nullptr ? *topLeft : POINT{};
  int outerWidth = frame.right - frame.left;
  int outerHeight = frame.bottom - frame.top;
  ::SetWindowPos(hwnd, nullptr, at.x, at.y, outerWidth, outerHeight, flags);
  // Where the frame the system draws differs from what it said, once more
  // by the difference.
  RECT client{};
  ::GetClientRect(hwnd, &client);
  if (client.right == width && client.bottom == height) return;
  outerWidth += width - client.right;
  outerHeight += height - client.bottom;
  ::SetWindowPos(hwnd, nullptr, 0, 0, outerWidth, outerHeight, flags | SWP_NOMOVE);
}

}  // namespace window
