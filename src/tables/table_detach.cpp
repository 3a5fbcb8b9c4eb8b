#include "tables/table_detach.h"

#include <windows.h>

#include <cstdint>
#include <string_view>

#include "tables/table_rules.h"
#include "tables/win_handles.h"

namespace tables {
namespace {

// The table must be a writable file: Windows refuses to open a read-only one
// for writing, and Wine running as root does not, so the attribute is looked
// at here to give the same outcome everywhere.
bool IsWritableFile(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) == 0;
}

// Clears the index flag of a plausible table. The byte is written only when it
// changes, so a table without the flag is never touched at all.
bool ClearIndexFlag(const std::wstring& path) {
  if (!IsWritableFile(path)) return false;
  UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;

  LARGE_INTEGER size{};
  std::uint8_t header[kTableHeaderSize] = {};
  DWORD read = 0;
  if (!::GetFileSizeEx(file.get(), &size) ||
      !::ReadFile(file.get(), header, sizeof header, &read, nullptr) ||
      !IsPlausibleTableHeader(header, read, static_cast<std::uint64_t>(size.QuadPart))) {
    return false;
  }

  const std::uint8_t flags = header[kTableFlagsOffset];
  const std::uint8_t detached = DetachedFlags(flags);
  if (detached != flags) {
    DWORD written = 0;
    if (::SetFilePointer(file.get(), kTableFlagsOffset, nullptr, FILE_BEGIN) ==
            INVALID_SET_FILE_POINTER ||
        !::WriteFile(file.get(), &detached, 1, &written, nullptr) || written != 1) {
      return false;
    }
  }
  return file.Close();
}

bool IsPlainFile(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace

bool DetachTableIndex(const std::wstring& tablePath, std::size_t markerFrom) noexcept {
  try {
    if (!ClearIndexFlag(tablePath)) return false;

    const std::wstring_view path(tablePath);
    for (const char* suffix : kCompanionSuffixes) {
      const std::wstring companion = CompanionName(path, suffix);
      if (IsPlainFile(companion)) ::DeleteFileW(companion.c_str());
    }
    if (markerFrom <= path.size() && HasRemovalMarker(path.substr(markerFrom))) {
      ::DeleteFileW(tablePath.c_str());
    }
    return true;
  } catch (...) {
    // Only running out of memory while forming names gets here.
    return false;
  }
}

}  // namespace tables
