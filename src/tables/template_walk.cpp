#include "tables/template_walk.h"

#include <vector>

#include "tables/table_detach.h"
#include "tables/table_report.h"
#include "tables/table_rules.h"
#include "tables/wide_path.h"
#include "win/ansi_text.h"
#include "win/file_handles.h"

namespace tables {
namespace {

constexpr ACCESS_MASK kFolderAccess = FILE_LIST_DIRECTORY | FILE_TRAVERSE;

// The template folder, the one folder opened by its path (links in the
// host's own path are the host's business).
win::UniqueFile OpenTemplate(const std::wstring& path) {
  return win::UniqueFile(
      ::CreateFileW(path.c_str(), kFolderAccess | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

// One open folder of the walk.
struct Level {
  win::UniqueFile owned;  // every folder but the template folder
  HANDLE folder = INVALID_HANDLE_VALUE;
  FolderListing listing;
  std::size_t next = 0;        // the next entry to handle
  std::size_t pathLength = 0;  // of the walk's path up to this folder's backslash
  std::wstring where;          // where the handle leads; empty when unknown
};

class Walk {
 public:
  Walk(HANDLE root, const std::wstring& rootPath, const FileCalls& calls)
      : calls_(calls), root_(root), path_(rootPath) {}

  void Run(const TableVisitor& visit) {
    std::vector<Level> open(1);
    open.back().folder = root_;
    open.back().pathLength = path_.size();
    open.back().where = HandlePath(root_);
    if (!open.back().listing.Read(root_, calls_)) return;
    const std::size_t markerFrom = path_.size();

    while (!open.empty()) {
      Level& level = open.back();
      const auto& entries = level.listing.Entries();
      if (level.next == entries.size()) {
        open.pop_back();
        continue;
      }
      const FolderEntry& entry = entries[level.next++];
      if (IsLink(entry)) continue;
      const std::wstring_view name = level.listing.Name(entry);
      path_.resize(level.pathLength);
      path_.append(name);
      if (entry.IsFolder()) {
        Level inner;
        if (Enter(level, entry, inner)) {
          path_.push_back(L'\\');
          inner.pathLength = path_.size();
          open.push_back(std::move(inner));  // `level` is not used after this
        }
      } else if (IsTableName(name)) {
        ListedTable table{level.folder, level.listing, level.where, entry, path_, markerFrom};
        visit(table);
      }
    }
  }

 private:
  // Opens and lists the folder `entry` of `parent` when it is the folder the
  // listing showed. `path_` holds its path.
  bool Enter(const Level& parent, const FolderEntry& entry, Level& inner) {
    OpenRequest request;
    request.access = kFolderAccess;
    request.folder = true;
    ListedFile folder =
        OpenListedFile(calls_, {parent.folder, parent.listing, parent.where}, entry, request);
    switch (folder.verdict) {
      case OpenVerdict::kOpened:
        break;
      case OpenVerdict::kLink:
        ReportTable(path_, L"not entered: a link");
        return false;
      case OpenVerdict::kFolder:
      case OpenVerdict::kReplaced:
        ReportTable(path_, L"not entered: replaced since it was listed");
        return false;
      case OpenVerdict::kFailed:
      case OpenVerdict::kUnreadable:
        return false;  // as a folder that cannot be listed
    }
    inner.owned = std::move(folder.handle);
    inner.where = std::move(folder.where);
    inner.folder = inner.owned.get();
    return inner.listing.Read(inner.folder, calls_);
  }

  const FileCalls& calls_;
  HANDLE root_;
  std::wstring path_;
};

// The template folder's path in the "\\?\" form, ending with a backslash.
std::wstring TemplatePath(const std::wstring& folder) {
  std::wstring path = ExtendedPath(folder);
  if (!path.empty() && path.back() != L'\\') path.push_back(L'\\');
  return path;
}

// Runs `visit` over the tree below the open template folder.
void WalkOpen(HANDLE root, const std::wstring& path, const TableVisitor& visit,
              const FileCalls& calls) {
  if (!HaveNativeCalls()) return;
  Walk(root, path, calls).Run(visit);
}

std::size_t CountOpen(HANDLE root, const std::wstring& path, const FileCalls& calls) {
  std::size_t tables = 0;
  WalkOpen(
      root, path, [&tables](ListedTable&) { ++tables; }, calls);
  return tables;
}

}  // namespace

void WalkTables(const std::wstring& folder, const TableVisitor& visit, const FileCalls& calls) {
  const std::wstring path = TemplatePath(folder);
  if (path.empty()) return;
  const win::UniqueFile root = OpenTemplate(path);
  if (root) WalkOpen(root.get(), path, visit, calls);
}

std::size_t CountTables(const std::wstring& folder, const FileCalls& calls) {
  const std::wstring path = TemplatePath(folder);
  if (path.empty()) return 0;
  const win::UniqueFile root = OpenTemplate(path);
  return root ? CountOpen(root.get(), path, calls) : 0;
}

void ScanFolder(std::string_view folderPath) {
  WalkTables(win::WidenAnsi(folderPath), [](ListedTable& table) { DetachTable(table); });
}

void ScanFolder(std::string_view folderPath, const ScanProgress& progress, const FileCalls& calls) {
  const std::wstring path = TemplatePath(win::WidenAnsi(folderPath));
  const win::UniqueFile root = path.empty() ? win::UniqueFile() : OpenTemplate(path);
  if (!root) {
    progress(0, 0);
    return;
  }
  const std::size_t total = CountOpen(root.get(), path, calls);
  progress(0, total);
  std::size_t done = 0;
  WalkOpen(
      root.get(), path,
      [&](ListedTable& table) {
        DetachTable(table, calls);
        // A table added since the count does not take the bar past its end.
        if (done < total) progress(++done, total);
      },
      calls);
}

}  // namespace tables
