#include "window/gdi_font.h"

#include "window/form_texts.h"

namespace window {

win::UniqueFont CreateSongtiFont(int characterHeight) {
  // A negative height asks for the character height (cell less leading).
  return win::UniqueFont(::CreateFontW(-characterHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                       GB2312_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                       DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, kFontFace));
}

int ScreenDpi() {
  HDC screen = ::GetDC(nullptr);
  const int dpi = screen != nullptr ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen != nullptr) ::ReleaseDC(nullptr, screen);
  return dpi;
}

int RealisedTextHeight(HFONT font) {
  HDC screen = ::GetDC(nullptr);
  if (screen == nullptr) return 0;
  TEXTMETRICW metrics{};
  const HGDIOBJ previous = ::SelectObject(screen, font);
  const BOOL measured = ::GetTextMetricsW(screen, &metrics);
  ::SelectObject(screen, previous);
  ::ReleaseDC(nullptr, screen);
  return measured ? metrics.tmHeight : 0;
}

}  // namespace window
