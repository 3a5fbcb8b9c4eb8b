#include "tables/table_detach.h"

#include <cstdint>
#include <string_view>

#include "tables/listed_file.h"
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

// The reasons for a table whose open was not judged the listed file.
std::wstring NotOpened(const ListedFile& file, const FolderEntry& entry) {
  switch (file.verdict) {
    case OpenVerdict::kFailed:
      // Windows refuses a read-only file for writing; the listing says why.
      return (entry.attributes & FILE_ATTRIBUTE_READONLY) ? L"read-only"
                                                          : WithError(L"open failed", file.error);
    case OpenVerdict::kUnreadable:
      return WithError(L"file information unreadable", file.error);
    case OpenVerdict::kLink:
      return L"a link, not a table";
    case OpenVerdict::kFolder:
      return L"a folder";
    case OpenVerdict::kReplaced:
    case OpenVerdict::kOpened:
      break;
  }
  return L"replaced since it was listed";
}

// Opens a listed file to delete it: as itself, never what a link leads to.
ListedFile OpenToDelete(const ListedTable& table, const FolderEntry& entry,
                        const FileCalls& calls) {
  OpenRequest request;
  request.access = DELETE;
  request.contents = false;
  return OpenListedFile(calls, table.Folder(), entry, request);
}

// Deleted when the handle closes, as DeleteFile does.
bool DeleteOnClose(HANDLE file) {
  FILE_DISPOSITION_INFO disposition{TRUE};
  return ::SetFileInformationByHandle(file, FileDispositionInfo, &disposition,
                                      sizeof disposition) != FALSE;
}

// Clears the index flag of a plausible table. The byte is written only when it
// changes, so a table without the flag is never touched at all.
bool ClearIndexFlag(const ListedTable& table, const FileCalls& calls) {
  const std::wstring& path = table.path;
  OpenRequest request;
  request.access = GENERIC_READ | GENERIC_WRITE;
  request.share = FILE_SHARE_READ | FILE_SHARE_WRITE;
  ListedFile file = OpenListedFile(calls, table.Folder(), table.entry, request);
  if (file.verdict != OpenVerdict::kOpened) {
    LeftAlone(path, NotOpened(file, table.entry));
    return false;
  }
  // Windows refuses to open a read-only file for writing; Wine running as
  // root does not, so the attribute decides.
  if (file.attributes & FILE_ATTRIBUTE_READONLY) {
    LeftAlone(path, L"read-only");
    return false;
  }
  FILE_STANDARD_INFO standard{};
  if (!calls.getInformation(file.handle.get(), FileStandardInfo, &standard, sizeof standard)) {
    LeftAlone(path, WithError(L"file information unreadable", ::GetLastError()));
    return false;
  }
  const std::uint64_t size = static_cast<std::uint64_t>(standard.EndOfFile.QuadPart);
  const HANDLE handle = file.handle.get();

  std::uint8_t header[kTableHeaderSize] = {};
  DWORD read = 0;
  if (!calls.read(handle, header, sizeof header, &read, nullptr)) {
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
    if (::SetFilePointer(handle, kTableFlagsOffset, nullptr, FILE_BEGIN) ==
        INVALID_SET_FILE_POINTER) {
      LeftAlone(path, WithError(L"seek failed", ::GetLastError()));
      return false;
    }
    if (!calls.write(handle, &detached, 1, &written, nullptr)) {
      FailedAccess(path, L"write failed", ::GetLastError());
      return false;
    }
    if (written != 1) {
      LeftAlone(path, L"write failed (nothing written)");
      return false;
    }
  }
  if (!file.handle.reset()) {
    LeftAlone(path, WithError(L"close failed", ::GetLastError()));
    return false;
  }
  return true;
}

// Deletes the table's index files of this suffix: the files its folder's
// listing shows under the table's base name with the suffix as their own
// long names (a short name never counts), each judged and deleted through
// one handle, so what is deleted is what was judged. Links are kept.
void DeleteIndexFiles(ListedTable& table, std::wstring_view suffix, const FileCalls& calls) {
  const std::wstring_view base = BaseNameOf(table.Name());
  for (const FolderEntry* index : table.listing.FilesNamed(base, suffix)) {
    if (IsLink(*index)) continue;
    const std::wstring own(table.listing.Name(*index));
    const ListedFile file = OpenToDelete(table, *index, calls);
    switch (file.verdict) {
      case OpenVerdict::kOpened:
        if (!DeleteOnClose(file.handle.get())) {
          ReportTable(table.path, WithError(L"index file kept: " + own, ::GetLastError()));
        }
        break;
      case OpenVerdict::kFailed:
        // Gone since the listing: nothing to keep.
        if (file.error == ERROR_FILE_NOT_FOUND) break;
        [[fallthrough]];
      case OpenVerdict::kUnreadable:
        // Held open by another program without delete sharing, or no right
        // to delete it.
        ReportTable(table.path, WithError(L"index file kept: " + own, file.error));
        break;
      case OpenVerdict::kLink:
      case OpenVerdict::kFolder:
      case OpenVerdict::kReplaced:
        ReportTable(table.path, L"index file kept: " + own + L" (replaced since it was listed)");
        break;
    }
  }
}

// Deletes an "HSKM" table through a handle judged the listed file.
void DeleteTable(const ListedTable& table, const FileCalls& calls) {
  const ListedFile file = OpenToDelete(table, table.entry, calls);
  if (file.verdict == OpenVerdict::kOpened) {
    if (!DeleteOnClose(file.handle.get())) {
      ReportTable(table.path, WithError(L"\"HSKM\" table kept", ::GetLastError()));
    }
  } else if (file.verdict == OpenVerdict::kFailed || file.verdict == OpenVerdict::kUnreadable) {
    ReportTable(table.path, WithError(L"\"HSKM\" table kept", file.error));
  } else {
    ReportTable(table.path, L"\"HSKM\" table kept (replaced since it was listed)");
  }
}

}  // namespace

bool DetachTable(ListedTable& table, const FileCalls& calls) noexcept {
  try {
    if (!ClearIndexFlag(table, calls)) return false;

    for (const char* suffix : kCompanionSuffixes) {
      const std::wstring wide(suffix, suffix + std::char_traits<char>::length(suffix));
      DeleteIndexFiles(table, wide, calls);
    }

    const std::wstring_view path(table.path);
    if (table.markerFrom <= path.size() && HasRemovalMarker(path.substr(table.markerFrom))) {
      DeleteTable(table, calls);
    }
    return true;
  } catch (...) {
    // Only running out of memory while forming names gets here.
    return false;
  }
}

}  // namespace tables
