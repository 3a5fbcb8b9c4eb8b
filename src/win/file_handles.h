// Owners of the kernel handles the template maintenance opens: each handle is
// closed exactly once, on every path.
#pragma once

#include <windows.h>

#include "win/unique_handle.h"

namespace win {

// A file handle from CreateFileW; reset() answers whether the close worked.
struct FileTraits : Uncounted {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static bool Close(Handle handle) { return ::CloseHandle(handle) != FALSE; }
};
using UniqueFile = UniqueHandle<FileTraits>;

// A directory enumeration from FindFirstFileW.
struct FindTraits : Uncounted {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static bool Close(Handle handle) { return ::FindClose(handle) != FALSE; }
};
using UniqueFind = UniqueHandle<FindTraits>;

}  // namespace win
