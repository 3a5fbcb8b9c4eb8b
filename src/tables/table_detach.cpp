#include "tables/table_detach.h"

#include <cstdint>
#include <string_view>

#include "tables/table_report.h"
#include "tables/table_rules.h"
#include "tables/wide_path.h"
#include "win/file_handles.h"

namespace tables {
namespace {

// The decimal digits of `number`. Written out here: the runtime's formatting
// would bring its whole printf engine into the library.
std::wstring Decimal(DWORD number) {
  std::wstring digits;
  do {
    digits.insert(digits.begin(), static_cast<wchar_t>(L'0' + number % 10));
    number /= 10;
  } while (number != 0);
  return digits;
}

// The reasons reported for a table left alone or partly handled.
std::wstring WithError(std::wstring_view what, DWORD error) {
  return std::wstring(what) + L" (error " + Decimal(error) + L")";
}

void LeftAlone(const std::wstring& table, std::wstring_view why) {
  ReportTable(table, L"left alone: " + std::wstring(why));
}

// A failed read or write: ERROR_LOCK_VIOLATION is another program's
// byte-range lock over the header.
void FailedAccess(const std::wstring& table, std::wstring_view what, DWORD error) {
  LeftAlone(table,
            WithError(error == ERROR_LOCK_VIOLATION ? L"locked by another program" : what, error));
}

// Opens the table itself, never what a link points to: a link put in its
// place (after the walk listed it) must not lead outside the template folder.
win::UniqueFile OpenTable(const std::wstring& path) {
  return win::UniqueFile(::CreateFileW(
      path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
}

// Why a file with these attributes is no table to write, or null.
const wchar_t* Unwritable(DWORD attributes) {
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return L"a link, not a table";
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return L"a folder";
  // Windows refuses to open a read-only file for writing; Wine running as
  // root does not, so the attribute decides.
  if (attributes & FILE_ATTRIBUTE_READONLY) return L"read-only";
  return nullptr;
}

// Clears the index flag of a plausible table. The byte is written only when it
// changes, so a table without the flag is never touched at all.
bool ClearIndexFlag(const std::wstring& path, const TableFileCalls& calls) {
  win::UniqueFile file = OpenTable(path);
  if (!file) {
    const DWORD error = ::GetLastError();
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    const wchar_t* why = attributes == INVALID_FILE_ATTRIBUTES ? nullptr : Unwritable(attributes);
    LeftAlone(path, why ? std::wstring(why) : WithError(L"open failed", error));
    return false;
  }

  // What was opened, from the handle itself: the name may have been replaced
  // since the walk listed it. (These two queries are cheap; the classic
  // all-in-one query also asks the volume for its serial number.)
  FILE_ATTRIBUTE_TAG_INFO attributes{};
  FILE_STANDARD_INFO standard{};
  if (!calls.getInformation(file.get(), FileAttributeTagInfo, &attributes, sizeof attributes) ||
      !calls.getInformation(file.get(), FileStandardInfo, &standard, sizeof standard)) {
    LeftAlone(path, WithError(L"file information unreadable", ::GetLastError()));
    return false;
  }
  if (const wchar_t* why = Unwritable(attributes.FileAttributes)) {
    LeftAlone(path, why);
    return false;
  }
  const std::uint64_t size = static_cast<std::uint64_t>(standard.EndOfFile.QuadPart);

  std::uint8_t header[kTableHeaderSize] = {};
  DWORD read = 0;
  if (!calls.read(file.get(), header, sizeof header, &read, nullptr)) {
    FailedAccess(path, L"read failed", ::GetLastError());
    return false;
  }
  const HeaderFault fault = CheckTableHeader(header, read, size);
  if (fault != HeaderFault::kNone) {
    const std::string_view check = DescribeHeaderFault(fault);
    LeftAlone(path, L"not a table header: " + std::wstring(check.begin(), check.end()));
    return false;
  }

  const std::uint8_t flags = header[kTableFlagsOffset];
  const std::uint8_t detached = DetachedFlags(flags);
  if (detached != flags) {
    DWORD written = 0;
    if (::SetFilePointer(file.get(), kTableFlagsOffset, nullptr, FILE_BEGIN) ==
        INVALID_SET_FILE_POINTER) {
      LeftAlone(path, WithError(L"seek failed", ::GetLastError()));
      return false;
    }
    if (!calls.write(file.get(), &detached, 1, &written, nullptr)) {
      FailedAccess(path, L"write failed", ::GetLastError());
      return false;
    }
    if (written != 1) {
      LeftAlone(path, L"write failed (nothing written)");
      return false;
    }
  }
  if (!file.reset()) {
    LeftAlone(path, WithError(L"close failed", ::GetLastError()));
    return false;
  }
  return true;
}

// The own long name of the plain file a lookup of `path` finds, from its
// folder's listing; empty when there is none, or when it is a folder or a link.
std::wstring ListedName(const std::wstring& path) {
  WIN32_FIND_DATAW found{};
  const win::UniqueFind find(::FindFirstFileW(path.c_str(), &found));
  if (!find) return {};
  if (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) return {};
  return found.cFileName;
}

// The own long name of the open file: the last part of its path with short
// names expanded; from the listing of `path` when the file system cannot say.
std::wstring OwnName(HANDLE file, const std::wstring& path) {
  std::wstring opened(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        ::GetFinalPathNameByHandleW(file, opened.data(), static_cast<DWORD>(opened.size()),
                                    FILE_NAME_NORMALIZED | VOLUME_NAME_NONE);
    if (length == 0) return ListedName(path);
    const bool fits = length < opened.size();
    opened.resize(length);  // when it does not fit, the length counts the terminator
    if (fits) return std::wstring(FileNameOf(std::wstring_view(opened)));
  }
}

// Deletes the table's index file of this suffix when there is one: a plain
// file (not a folder, not a link) whose own long name is the expected one.
// A lookup also matches short (8.3) names, and the short name of another
// table's index file can be exactly this table's companion name. The file is
// judged and deleted through one handle, so what is deleted is what was
// judged.
void DeleteCompanion(const std::wstring& table, const char* suffix, bool mayBeShortName) {
  const std::wstring companion = CompanionName(std::wstring_view(table), suffix);
  const std::wstring_view expected = FileNameOf(std::wstring_view(companion));
  const win::UniqueFile file(
      ::CreateFileW(companion.c_str(), DELETE | FILE_READ_ATTRIBUTES,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!file) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return;
    // Held open by another program without delete sharing, no right to
    // delete it, or a folder (which does not open this way).
    const std::wstring own = ListedName(companion);
    if (SameFileName(own, expected))
      ReportTable(table, WithError(L"index file kept: " + own, error));
    return;
  }
  FILE_ATTRIBUTE_TAG_INFO attributes{};
  if (!::GetFileInformationByHandleEx(file.get(), FileAttributeTagInfo, &attributes,
                                      sizeof attributes)) {
    ReportTable(table, WithError(L"index file kept: " + std::wstring(expected), ::GetLastError()));
    return;
  }
  if (attributes.FileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) return;
  const std::wstring own = mayBeShortName ? OwnName(file.get(), companion) : std::wstring(expected);
  if (!SameFileName(own, expected)) return;
  // Deleted when the handle closes, as DeleteFile does.
  FILE_DISPOSITION_INFO disposition{TRUE};
  if (!::SetFileInformationByHandle(file.get(), FileDispositionInfo, &disposition,
                                    sizeof disposition)) {
    ReportTable(table, WithError(L"index file kept: " + own, ::GetLastError()));
  }
}

}  // namespace

bool DetachTableIndex(const std::wstring& tablePath, std::size_t markerFrom,
                      bool indexNamesMayBeShortNames, const TableFileCalls& calls) noexcept {
  try {
    if (!ClearIndexFlag(tablePath, calls)) return false;

    for (const char* suffix : kCompanionSuffixes) {
      DeleteCompanion(tablePath, suffix, indexNamesMayBeShortNames);
    }

    const std::wstring_view path(tablePath);
    if (markerFrom <= path.size() && HasRemovalMarker(path.substr(markerFrom)) &&
        !::DeleteFileW(tablePath.c_str())) {
      ReportTable(tablePath, WithError(L"\"HSKM\" table kept", ::GetLastError()));
    }
    return true;
  } catch (...) {
    // Only running out of memory while forming names gets here.
    return false;
  }
}

}  // namespace tables
