// The library as a host loads it: qesh_deleteIndex_dbf.dll from the folder of
// the running program (LoadLibrary) and its export DoIt (GetProcAddress). The
// sample host, the benchmarks and the tests all load it this way.
#pragma once

#include <windows.h>

#include <string>

#include "qesh_deleteIndex_dbf.h"

class QeshLibrary {
 public:
  QeshLibrary() {
    wchar_t self[MAX_PATH];
    const DWORD length = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self, length);
    path = path.substr(0, path.rfind(L'\\') + 1) + L"qesh_deleteIndex_dbf.dll";
    module_ = ::LoadLibraryW(path.c_str());
    if (module_ == nullptr) {
      loadError_ = ::GetLastError();
      return;
    }
    doIt_ =
        reinterpret_cast<QeshDoItProc>(reinterpret_cast<void*>(::GetProcAddress(module_, "DoIt")));
  }
  ~QeshLibrary() { Unload(); }
  QeshLibrary(const QeshLibrary&) = delete;
  QeshLibrary& operator=(const QeshLibrary&) = delete;

  // True when the library is loaded and has DoIt.
  bool Loaded() const { return doIt_ != nullptr; }
  bool HasModule() const { return module_ != nullptr; }
  // GetLastError of a failed load.
  DWORD LoadError() const { return loadError_; }
  QeshDoItProc DoItProc() const { return doIt_; }

  void Unload() {
    if (module_ != nullptr) ::FreeLibrary(module_);
    module_ = nullptr;
    doIt_ = nullptr;
  }

 private:
  HMODULE module_ = nullptr;
  QeshDoItProc doIt_ = nullptr;
  DWORD loadError_ = 0;
};
