// A window class registered with the library's own module handle for as long
// as its owner lives (a library must not leave classes behind when unloaded).
#pragma once

#include <windows.h>

namespace window {

HINSTANCE ThisModule();

class RegisteredClass {
 public:
  RegisteredClass(const wchar_t* name, WNDPROC procedure, HBRUSH background);
  ~RegisteredClass();
  RegisteredClass(const RegisteredClass&) = delete;
  RegisteredClass& operator=(const RegisteredClass&) = delete;

  bool registered() const { return registered_; }

 private:
  const wchar_t* name_;
  bool registered_;
};

}  // namespace window
