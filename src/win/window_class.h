// A window class of this module, registered while any window of it may
// exist: the first widget of a kind registers it, the last one to go
// unregisters it (classes a DLL registers are not unregistered on unload).
#pragma once

#include <windows.h>

#include <memory>

namespace win {

class WindowClass {
 public:
  WindowClass(const wchar_t* name, WNDPROC proc, HCURSOR cursor, HBRUSH background = nullptr);
  ~WindowClass();
  WindowClass(const WindowClass&) = delete;
  WindowClass& operator=(const WindowClass&) = delete;

  const wchar_t* Name() const { return name_; }
  bool Registered() const { return atom_ != 0; }

 private:
  const wchar_t* name_;
  ATOM atom_;
};

// The class held in `slot`, registered when nobody holds it yet.
std::shared_ptr<WindowClass> AcquireWindowClass(std::weak_ptr<WindowClass>& slot,
                                                const wchar_t* name, WNDPROC proc,
                                                HCURSOR cursor = nullptr,
                                                HBRUSH background = nullptr);

}  // namespace win
