#include "widgets/comctl_version.h"

#include <windows.h>

#include <string>
#include <vector>

#include "win/made_once.h"
#include "win/system_library.h"

namespace widgets {
namespace {

// The version-information functions of version.dll, which is not one of the
// libraries the system always takes from its own folder: loaded from there
// for the one reading and freed again.
class VersionApi {
 public:
  VersionApi() : module_(win::LoadSystemLibrary(L"version.dll")) {
    present_ = module_ != nullptr && win::BindProc(module_, "GetFileVersionInfoSizeW", infoSize) &&
               win::BindProc(module_, "GetFileVersionInfoW", info) &&
               win::BindProc(module_, "VerQueryValueW", queryValue);
  }
  ~VersionApi() {
    if (module_) ::FreeLibrary(module_);
  }
  VersionApi(const VersionApi&) = delete;
  VersionApi& operator=(const VersionApi&) = delete;
  explicit operator bool() const { return present_; }

  DWORD(WINAPI* infoSize)(LPCWSTR, LPDWORD) = nullptr;
  BOOL(WINAPI* info)(LPCWSTR, DWORD, DWORD, LPVOID) = nullptr;
  BOOL(WINAPI* queryValue)(LPCVOID, LPCWSTR, LPVOID*, PUINT) = nullptr;

 private:
  HMODULE module_;
  bool present_ = false;
};

FileVersion Read() {
  // The copy the process uses when one is loaded (GetModuleHandle does not
  // add a reference), else the system folder's: never a same-named file
  // beside the host program.
  HMODULE module = ::GetModuleHandleW(L"comctl32.dll");
  std::wstring path(MAX_PATH, L'\0');
  DWORD length = 0;
  if (module) {
    length = ::GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
  } else {
    length = ::GetSystemDirectoryW(path.data(), static_cast<UINT>(path.size()));
  }
  if (length == 0 || length >= path.size()) return {};
  path.resize(length);
  if (!module) path += L"\\comctl32.dll";

  const VersionApi api;
  if (!api) return {};
  DWORD ignored = 0;
  const DWORD size = api.infoSize(path.c_str(), &ignored);
  if (size == 0) return {};
  std::vector<unsigned char> block(size);
  if (!api.info(path.c_str(), 0, size, block.data())) return {};
  void* value = nullptr;
  UINT valueSize = 0;
  if (!api.queryValue(block.data(), L"\\", &value, &valueSize) ||
      valueSize < sizeof(VS_FIXEDFILEINFO)) {
    return {};
  }
  const auto* info = static_cast<const VS_FIXEDFILEINFO*>(value);
  return FileVersion{HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS)};
}

win::MadeOnce<FileVersion> g_version;

}  // namespace

FileVersion CommonControlsVersion() { return g_version.Get(Read); }

}  // namespace widgets
