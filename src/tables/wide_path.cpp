#include "tables/wide_path.h"

#include <windows.h>

namespace tables {

std::wstring ExtendedPath(const std::wstring& path) {
  constexpr std::wstring_view kExtended = L"\\\\?\\";
  constexpr std::wstring_view kExtendedUnc = L"\\\\?\\UNC\\";
  if (path.empty()) return {};
  if (path.compare(0, kExtended.size(), kExtended) == 0) return path;

  // The first call measures, the second fills; the loop covers a current
  // folder that changes in between.
  std::wstring full;
  DWORD needed = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  while (needed != 0 && needed > full.size()) {
    full.resize(needed);
    needed = ::GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
  }
  if (needed == 0) return {};
  full.resize(needed);

  // Device paths ("\\.\") already bypass the normalisation.
  if (full.compare(0, 4, L"\\\\.\\") == 0) return full;
  if (full.compare(0, 2, L"\\\\") == 0) return std::wstring(kExtendedUnc) + full.substr(2);
  return std::wstring(kExtended) + full;
}

bool SameFileName(std::wstring_view a, std::wstring_view b) {
  return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace tables
