#include "win/window_class.h"

#include "win/module_instance.h"

namespace win {

WindowClass::WindowClass(const wchar_t* name, WNDPROC proc, HCURSOR cursor, HBRUSH background)
    : name_(name) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = proc;
  wc.hInstance = ThisModule();
  wc.hCursor = cursor;
  wc.hbrBackground = background;
  wc.lpszClassName = name;
  atom_ = ::RegisterClassExW(&wc);
}

WindowClass::~WindowClass() {
  if (atom_ != 0) ::UnregisterClassW(name_, ThisModule());
}

std::shared_ptr<WindowClass> AcquireWindowClass(std::weak_ptr<WindowClass>& slot,
                                                const wchar_t* name, WNDPROC proc, HCURSOR cursor,
                                                HBRUSH background) {
  if (auto held = slot.lock()) return held;
  auto made = std::make_shared<WindowClass>(name, proc, cursor, background);
  if (!made->Registered()) return nullptr;
  slot = made;
  return made;
}

}  // namespace win
