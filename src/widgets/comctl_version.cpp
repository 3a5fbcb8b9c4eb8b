#include "widgets/comctl_version.h"

#include <windows.h>

#include <string>
#include <vector>

namespace widgets {
namespace {

FileVersion Read() {
  // The copy the process uses: already loaded, or the one LoadLibrary
  // would pick (GetModuleHandle does not add a reference).
  HMODULE module = ::GetModuleHandleW(L"comctl32.dll");
  std::wstring path(MAX_PATH, L'\0');
  DWORD length = 0;
  if (module) {
    length = ::GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
  } else {
    length = ::SearchPathW(nullptr, L"comctl32.dll", nullptr, static_cast<DWORD>(path.size()),
                           path.data(), nullptr);
  }
  if (length == 0 || length >= path.size()) return {};
  path.resize(length);

  DWORD ignored = 0;
  const DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), &ignored);
  if (size == 0) return {};
  std::vector<unsigned char> block(size);
  if (!::GetFileVersionInfoW(path.c_str(), 0, size, block.data())) return {};
  void* value = nullptr;
  UINT valueSize = 0;
  if (!::VerQueryValueW(block.data(), L"\\", &value, &valueSize) ||
      valueSize < sizeof(VS_FIXEDFILEINFO)) {
    return {};
  }
  const auto* info = static_cast<const VS_FIXEDFILEINFO*>(value);
  return FileVersion{HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS)};
}

}  // namespace

FileVersion CommonControlsVersion() {
  static const FileVersion version = Read();
  return version;
}

}  // namespace widgets
