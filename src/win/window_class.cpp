#include "win/window_class.h"

#include "win/exclusive_lock.h"
#include "win/module_instance.h"

namespace win {

WindowClass::WindowClass(ClassSlot& slot, WNDPROC proc, HCURSOR cursor, HBRUSH background) {
  ExclusiveLock hold(slot.lock);
  if (slot.users == 0) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = proc;
    wc.hInstance = ThisModule();
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.lpszClassName = slot.name;
    if (::RegisterClassExW(&wc) == 0) return;
  }
  ++slot.users;
  slot_ = &slot;
}

WindowClass& WindowClass::operator=(WindowClass&& other) noexcept {
  if (this != &other) {
    reset();
    slot_ = other.slot_;
    other.slot_ = nullptr;
  }
  return *this;
}

void WindowClass::reset() {
  if (slot_ == nullptr) return;
  ExclusiveLock hold(slot_->lock);
  if (--slot_->users == 0) ::UnregisterClassW(slot_->name, ThisModule());
  slot_ = nullptr;
}

}  // namespace win
