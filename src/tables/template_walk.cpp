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

bool IsDotEntry(const wchar_t* name) {
  return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

// Whether some entry of the folder `pattern` lists has a short name of its
// own that ends as an index file's name does. Unknown counts as yes.
bool ListsIndexShortNames(const std::wstring& pattern) {
  WIN32_FIND_DATAW entry{};
  const win::UniqueFind find(::FindFirstFileW(pattern.c_str(), &entry));
  if (!find) return ::GetLastError() != ERROR_FILE_NOT_FOUND;
  do {
    const std::wstring_view alias(entry.cAlternateFileName);
    if (alias.empty() || SameFileName(alias, entry.cFileName)) continue;
    for (const char* suffix : kCompanionSuffixes) {
      const std::wstring wide(suffix, suffix + std::char_traits<char>::length(suffix));
      if (SameFileName(ExtensionOf(alias), wide)) return true;
    }
  } while (::FindNextFileW(find.get(), &entry));
  return ::GetLastError() != ERROR_NO_MORE_FILES;
}

}  // namespace

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

  // See TemplateWalker::IndexNamesMayBeShortNames; `path` begins with the
  // folder.
  bool IndexNamesMayBeShortNames(const std::wstring& path) {
    if (!shortNamesKnown_) {
      indexShortNames_ = ListsIndexShortNames(path.substr(0, folderLength_) + L"*");
      shortNamesKnown_ = true;
    }
    return indexShortNames_;
  }

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
  bool shortNamesKnown_ = false;
  bool indexShortNames_ = true;
};

void WalkTables(const std::wstring& folder, const TableVisitor& visit) {
  TemplateWalker().Run(folder, visit);
}

bool TemplateWalker::IndexNamesMayBeShortNames() {
  return current_ == nullptr || current_->IndexNamesMayBeShortNames(*path_);
}

void TemplateWalker::Run(const std::wstring& folder, const TableVisitor& visit) {
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
      current_ = &level;
      path_ = &path;
      visit(path, markerFrom);
      current_ = nullptr;
    }
  }
}

namespace {

// Detaches every table below `folder`, calling `afterEach` after each one.
template <class AfterEach>
void DetachTables(const std::wstring& folder, AfterEach afterEach) {
  TemplateWalker walk;
  walk.Run(folder, [&](const std::wstring& tablePath, std::size_t markerFrom) {
    DetachTableIndex(tablePath, markerFrom, walk.IndexNamesMayBeShortNames());
    afterEach();
  });
}

}  // namespace

void ScanFolder(std::string_view folderPath) {
  DetachTables(win::WidenAnsi(folderPath), [] {});
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
  DetachTables(folder, [&] {
    // A table added since the count does not take the bar past its end.
    if (done < total) progress(++done, total);
  });
}

}  // namespace tables
