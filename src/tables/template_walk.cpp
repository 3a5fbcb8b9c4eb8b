#include "tables/template_walk.h"

#include <windows.h>

#include <vector>

#include "tables/table_detach.h"
#include "tables/table_rules.h"
#include "tables/wide_path.h"
#include "win/ansi_text.h"
#include "win/file_handles.h"

namespace tables {
namespace {

// One open level of the walk: a folder's enumeration and its current entry.
class FolderListing {
 public:
  // `path` holds the folder (ending with a backslash); it is left unchanged.
  explicit FolderListing(std::wstring& path)
      : folderLength_(path.size()), find_(Start(path, entry_)) {}

  // The next entry, or nullptr when the folder is exhausted.
  const WIN32_FIND_DATAW* Next() {
    if (!find_) return nullptr;
    if (fresh_) {
      fresh_ = false;
      return &entry_;
    }
    return ::FindNextFileW(find_.get(), &entry_) ? &entry_ : nullptr;
  }

  std::size_t FolderLength() const { return folderLength_; }

 private:
  static HANDLE Start(std::wstring& path, WIN32_FIND_DATAW& entry) {
    const std::size_t folderLength = path.size();
    path += L"*.*";
    const HANDLE find = ::FindFirstFileW(path.c_str(), &entry);
    path.resize(folderLength);
    return find;
  }

  std::size_t folderLength_;
  WIN32_FIND_DATAW entry_{};
  win::UniqueFind find_;
  bool fresh_ = true;
};

bool IsDotEntry(const wchar_t* name) {
  return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

}  // namespace

void WalkTables(const std::wstring& folder, const TableVisitor& visit) {
  std::wstring path = ExtendedPath(folder);
  if (path.empty()) return;
  const std::size_t markerFrom = path.size();

  std::vector<FolderListing> open;
  open.emplace_back(path);
  while (!open.empty()) {
    FolderListing& level = open.back();
    const WIN32_FIND_DATAW* entry = level.Next();
    if (entry == nullptr) {
      open.pop_back();
      continue;
    }
    const DWORD attributes = entry->dwFileAttributes;
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) continue;

    const std::wstring_view name(entry->cFileName);
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
      if (IsDotEntry(entry->cFileName)) continue;
      path.resize(level.FolderLength());
      path.append(name).push_back(L'\\');
      open.emplace_back(path);  // `level` is not used after this
    } else if (IsTableName(name)) {
      path.resize(level.FolderLength());
      path.append(name);
      visit(path, markerFrom);
    }
  }
}

void ScanFolder(std::string_view folderPath) {
  WalkTables(win::WidenAnsi(folderPath), [](const std::wstring& tablePath, std::size_t markerFrom) {
    DetachTableIndex(tablePath, markerFrom);
  });
}

std::size_t CountTables(const std::wstring& folder) {
  std::size_t tables = 0;
  WalkTables(folder, [&tables](const std::wstring&, std::size_t) { ++tables; });
  return tables;
}

void ScanFolder(std::string_view folderPath, const ScanProgress& progress) {
  const std::wstring folder = win::WidenAnsi(folderPath);
  const std::size_t total = CountTables(folder);
  progress(0, total);
  std::size_t done = 0;
  WalkTables(folder, [&](const std::wstring& tablePath, std::size_t markerFrom) {
    DetachTableIndex(tablePath, markerFrom);
    // A table added since the count does not take the bar past its end.
    if (done < total) progress(++done, total);
  });
}

}  // namespace tables
