#include "win/system_library.h"

#include <cwchar>

namespace win {

HMODULE LoadSystemLibrary(const wchar_t* fileName) noexcept {
  if (fileName == nullptr || *fileName == L'\0') return nullptr;
  // The full path, so that no search order is involved at all, whatever the
  // host has done to its DLL search path. The system folder's path is
  // shorter than MAX_PATH; nothing is allocated.
  wchar_t path[MAX_PATH + 64];
  const UINT folder = ::GetSystemDirectoryW(path, MAX_PATH);
  const std::size_t name = std::wcslen(fileName);
  if (folder == 0 || folder >= MAX_PATH || name + 2 > 64) return nullptr;
  std::size_t at = folder;
  if (path[at - 1] != L'\\') path[at++] = L'\\';
  std::wmemcpy(path + at, fileName, name + 1);
  // The library's own imports from the system folder too. Systems without
  // the restricted search flags (Windows 7 without KB2533623) refuse it with
  // ERROR_INVALID_PARAMETER; there the altered search path starts in the
  // library's own (system) folder.
  HMODULE module = ::LoadLibraryExW(path, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (module == nullptr && ::GetLastError() == ERROR_INVALID_PARAMETER) {
    module = ::LoadLibraryExW(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  }
  return module;
}

}  // namespace win
