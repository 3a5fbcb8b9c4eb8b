// One folder's listing, read once through the folder's open handle in large
// buffers and kept while the folder is walked: every entry's own long name,
// attributes, reparse tag and file number. The walk takes every name from
// it; nothing is looked up that it did not show.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tables/file_calls.h"

namespace tables {

struct FolderEntry {
  std::size_t nameAt = 0;  // in the listing's names
  std::size_t nameLength = 0;
  DWORD attributes = 0;
  DWORD reparseTag = 0;      // with FILE_ATTRIBUTE_REPARSE_POINT only
  std::uint64_t number = 0;  // the file system's file number; 0 for none

  bool IsFolder() const { return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
  bool IsReparsePoint() const { return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0; }
};

// Whether a reparse point with this tag leads somewhere else: symbolic
// links, junctions and mount points are name surrogates. Cloud placeholders,
// deduplicated and compressed (WOF) files are not; they are walked and
// patched. A reparse point without a tag is taken for a link (Wine lists a
// Linux symbolic link to a folder so).
constexpr bool IsLinkTag(DWORD tag) { return tag == 0 || (tag & 0x20000000) != 0; }

inline bool IsLink(const FolderEntry& entry) {
  return entry.IsReparsePoint() && IsLinkTag(entry.reparseTag);
}

class FolderListing {
 public:
  // Lists the open folder `folder` (its entries without "." and ".."). False
  // when it cannot be listed; the entries read so far are dropped then.
  bool Read(HANDLE folder, const FileCalls& calls);

  const std::vector<FolderEntry>& Entries() const { return entries_; }
  std::wstring_view Name(const FolderEntry& entry) const {
    return std::wstring_view(names_).substr(entry.nameAt, entry.nameLength);
  }

  // The plain files (no folders) listed as `base` + `suffix` in any letter
  // case, in the listing's order. A folder may list one name in several
  // letter cases where its file system tells them apart.
  std::vector<const FolderEntry*> FilesNamed(std::wstring_view base, std::wstring_view suffix);

 private:
  // Appends the entries of one buffer of the listing.
  template <class Info>
  void Append(const void* buffer);

  std::wstring names_;
  std::vector<FolderEntry> entries_;
  // The plain files, sorted by name in any letter case; made when first
  // asked for.
  std::vector<std::size_t> sortedFiles_;
  bool sorted_ = false;
};

}  // namespace tables
