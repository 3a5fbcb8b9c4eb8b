// The walk over the template folder.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace tables {

// Called with a table's full path and the offset in it where the part below
// the walked folder begins.
using TableVisitor = std::function<void(const std::wstring& tablePath, std::size_t markerFrom)>;

// Walks `folder` (a path ending with a backslash) depth-first, in the order
// the file system lists entries, and calls `visit` for every file named
// *.DBF (any letter case) at the moment it is met. Every folder is walked,
// whatever further attribute bits it carries, except reparse points
// (junctions, symbolic links), which are neither walked nor visited, so the
// walk stays inside the tree and cannot loop. A folder that cannot be listed
// contributes nothing. Open enumerations are kept on the heap, so the depth
// of the tree is not limited by the thread's stack.
void WalkTables(const std::wstring& folder, const TableVisitor& visit);

class FolderListing;

// WalkTables that can also say, while a table is visited, whether a lookup of
// an index file's name in the table's folder may reach another file through
// its short (8.3) name: whether some file there has a short name that differs
// from its long name and ends as an index file's name does. Only then must a
// file found by an index file's name be checked for its own long name. The
// folder is listed for that once, when first asked.
class TemplateWalker {
 public:
  void Run(const std::wstring& folder, const TableVisitor& visit);
  // Only while a table is visited.
  bool IndexNamesMayBeShortNames();

 private:
  FolderListing* current_ = nullptr;
  const std::wstring* path_ = nullptr;
};

// Detaches every table below `folderPath`, an 8-bit path in the ANSI code
// page as the host passes it. Failures of single tables are skipped silently;
// only running out of memory escapes (as std::bad_alloc).
void ScanFolder(std::string_view folderPath);

// The number of tables WalkTables hands over for `folder`, found by the very
// same walk without opening any table. Nothing is collected: only the count
// is kept.
std::size_t CountTables(const std::wstring& folder);

// How far a scan has got: called with 0 and the number of tables once they
// are counted, then after each table with the number done so far.
using ScanProgress = std::function<void(std::size_t done, std::size_t total)>;

// ScanFolder that counts the tables first and reports its progress.
void ScanFolder(std::string_view folderPath, const ScanProgress& progress);

}  // namespace tables
