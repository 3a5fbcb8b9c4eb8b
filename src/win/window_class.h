// A window class of this module, registered while any window of it may
// exist, on any thread: the first user registers it, the last one to go
// unregisters it (classes a DLL registers are not unregistered on unload).
// A class belongs to the process, not to a thread, so its count of users is
// guarded: two threads starting or ending together never register it twice
// or unregister it under the other.
#pragma once

#include <windows.h>

namespace win {

// One class's name and count of users, at namespace scope:
//   win::ClassSlot g_panelClass{L"QeshRzPanel"};
struct ClassSlot {
  const wchar_t* name;
  SRWLOCK lock = SRWLOCK_INIT;
  long users = 0;
};

// One user's hold on the class of a slot, for as long as it lives; empty
// when the class could not be registered.
class WindowClass {
 public:
  WindowClass() = default;
  WindowClass(ClassSlot& slot, WNDPROC proc, HCURSOR cursor = nullptr, HBRUSH background = nullptr);
  ~WindowClass() { reset(); }
  WindowClass(WindowClass&& other) noexcept : slot_(other.slot_) { other.slot_ = nullptr; }
  WindowClass& operator=(WindowClass&& other) noexcept;
  WindowClass(const WindowClass&) = delete;
  WindowClass& operator=(const WindowClass&) = delete;

  explicit operator bool() const { return slot_ != nullptr; }
  const wchar_t* Name() const { return slot_ != nullptr ? slot_->name : nullptr; }
  // Lets the class go; the last user unregisters it.
  void reset();

 private:
  ClassSlot* slot_ = nullptr;
};

}  // namespace win
