// The walk over the template folder, by handles: the template folder is
// opened once, every folder below it relative to its parent's handle and
// only when the handle is the very folder the parent's listing showed (not
// a link put in its place since), and every folder is listed once through
// its handle. The tables and their index files are then opened relative to
// their folder's handle, by the names the listing gave.
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "tables/file_calls.h"
#include "tables/folder_listing.h"
#include "tables/listed_file.h"

namespace tables {

// A table as the walk hands it over, valid while it is visited.
struct ListedTable {
  HANDLE folder;              // its folder, open
  FolderListing& listing;     // its folder's listing
  const std::wstring& where;  // where the folder's handle leads; empty when unknown
  const FolderEntry& entry;   // the table's entry in it
  // The table's whole path ("\\?\" form), for the debug lines and the
  // "HSKM" marker only; nothing is opened by it.
  const std::wstring& path;
  std::size_t markerFrom;  // where the part below the template folder begins

  std::wstring_view Name() const { return listing.Name(entry); }
  ListedFolder Folder() const { return {folder, listing, where}; }
};

using TableVisitor = std::function<void(ListedTable& table)>;

// Walks `folder` (a path ending with a backslash) depth-first, in the order
// of each folder's listing, and calls `visit` for every file named *.DBF
// (any letter case) at the moment it is met. Every folder is walked,
// whatever further attribute bits it carries; links (symbolic links,
// junctions, mount points) are neither walked nor visited, so the walk stays
// inside the tree and cannot loop. Reparse points that are no links (cloud
// placeholders, deduplicated and compressed files) are walked and visited.
// A folder that is not the one its parent listed when it is opened is not
// entered, and said so on the debug output. A folder that cannot be opened
// or listed contributes nothing. Open folders are kept on the heap, so the
// depth of the tree is not limited by the thread's stack; a folder's listing
// is kept only while it is walked.
void WalkTables(const std::wstring& folder, const TableVisitor& visit,
                const FileCalls& calls = FileCalls());

// The number of tables WalkTables hands over for `folder`, found by the very
// same walk without opening any table. Nothing is collected: only the count
// is kept.
std::size_t CountTables(const std::wstring& folder, const FileCalls& calls = FileCalls());

// Detaches every table below `folderPath`, an 8-bit path in the ANSI code
// page as the host passes it. Failures of single tables are skipped silently;
// only running out of memory escapes (as std::bad_alloc).
void ScanFolder(std::string_view folderPath);

// How far a scan has got: called with 0 and the number of tables once they
// are counted, then after each table with the number done so far.
using ScanProgress = std::function<void(std::size_t done, std::size_t total)>;

// ScanFolder that counts the tables first and reports its progress; the
// template folder is opened once for both.
void ScanFolder(std::string_view folderPath, const ScanProgress& progress,
                const FileCalls& calls = FileCalls());

}  // namespace tables
