// System libraries that are not among the host's static imports are loaded
// from the system folder only: a bare name is looked for first in the host
// program's folder, where a same-named DLL would run inside the host.
#pragma once

#include <windows.h>

namespace win {

// Loads `fileName` (a bare file name such as L"uxtheme.dll") from the system
// folder and nowhere else; null when it is not there. The caller frees it.
HMODULE LoadSystemLibrary(const wchar_t* fileName) noexcept;

// GetProcAddress's FARPROC as the real signature, through the generic
// function pointer type that -Wcast-function-type accepts.
template <typename Fn>
bool BindProc(HMODULE module, const char* name, Fn& out) {
  const FARPROC proc = ::GetProcAddress(module, name);
  out = reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(proc));
  return proc != nullptr;
}

}  // namespace win
