// Whether a window belongs to the calling thread. The library sends and
// changes things synchronously only in windows of the calling thread: a
// window of another thread may not answer (that thread may be waiting for
// this call), and one of another process cannot read this process's memory.
#pragma once

#include <windows.h>

namespace win {

inline bool IsThreadWindow(HWND window) {
  return window != nullptr && ::GetWindowThreadProcessId(window, nullptr) == ::GetCurrentThreadId();
}

}  // namespace win
