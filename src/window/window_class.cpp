#include "window/window_class.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace window {

HINSTANCE ThisModule() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

RegisteredClass::RegisteredClass(const wchar_t* name, WNDPROC procedure, HBRUSH background)
    : name_(name) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = procedure;
  wc.hInstance = ThisModule();
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.lpszClassName = name;
  registered_ = ::RegisterClassExW(&wc) != 0;
}

RegisteredClass::~RegisteredClass() {
  if (registered_) ::UnregisterClassW(name_, ThisModule());
}

}  // namespace window
