#include "tables/listed_file.h"

#include <string_view>
#include <utility>

#include "tables/wide_path.h"

namespace tables {
namespace {

ListedFile Failed(DWORD error) {
  ListedFile result;
  result.error = error;
  return result;
}

ListedFile Open(const FileCalls& calls, const ListedFolder& folder, const FolderEntry& entry,
                ACCESS_MASK access, ULONG share, ULONG options) {
  HANDLE opened = INVALID_HANDLE_VALUE;
  const DWORD error = OpenInFolder(calls, folder.handle, folder.listing.Name(entry), access,
                                   options, share, opened);
  if (error != ERROR_SUCCESS) return Failed(error);
  ListedFile result;
  result.handle.reset(opened);
  return result;
}

// The same file on the same volume.
bool SameFile(HANDLE a, HANDLE b) {
  BY_HANDLE_FILE_INFORMATION first{}, second{};
  return ::GetFileInformationByHandle(a, &first) && ::GetFileInformationByHandle(b, &second) &&
         first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
         first.nFileIndexHigh == second.nFileIndexHigh &&
         first.nFileIndexLow == second.nFileIndexLow;
}

// Whether `inner` is `outer` followed by a backslash and `name`.
bool IsWithin(std::wstring_view inner, std::wstring_view outer, std::wstring_view name) {
  return inner.size() == outer.size() + 1 + name.size() &&
         SameFileName(inner.substr(0, outer.size()), outer) && inner[outer.size()] == L'\\' &&
         SameFileName(inner.substr(outer.size() + 1), name);
}

}  // namespace

ListedFile OpenListedFile(const FileCalls& calls, const ListedFolder& folder,
                          const FolderEntry& entry, const OpenRequest& request) {
  const ULONG kind = request.folder ? FILE_DIRECTORY_FILE : 0;
  // A reparse point that gives its contents only to a second open is first
  // opened just to be judged.
  const bool probe = request.contents && entry.IsReparsePoint();
  ListedFile file = Open(calls, folder, entry,
                         probe ? FILE_READ_ATTRIBUTES : request.access | FILE_READ_ATTRIBUTES,
                         request.share, kind | FILE_OPEN_REPARSE_POINT);
  if (!file.handle) return file;

  FILE_ATTRIBUTE_TAG_INFO tag{};
  if (!calls.getInformation(file.handle.get(), FileAttributeTagInfo, &tag, sizeof tag)) {
    ListedFile unreadable = Failed(::GetLastError());
    unreadable.verdict = OpenVerdict::kUnreadable;
    return unreadable;
  }
  file.attributes = tag.FileAttributes;
  const bool reparse = (tag.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
  const bool isFolder = (tag.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  if (reparse && IsLinkTag(tag.ReparseTag)) {
    file.verdict = OpenVerdict::kLink;
  } else if (isFolder != request.folder) {
    file.verdict = isFolder ? OpenVerdict::kFolder : OpenVerdict::kReplaced;
  } else if (entry.number != 0 && FileNumber(file.handle.get()) != entry.number) {
    // Where the listing numbers its files, the handle must have the number.
    file.verdict = OpenVerdict::kReplaced;
  } else {
    file.verdict = OpenVerdict::kOpened;
    if (!folder.where.empty()) {
      file.where = HandlePath(file.handle.get());
      if (!IsWithin(file.where, folder.where, folder.listing.Name(entry))) {
        file.verdict = OpenVerdict::kReplaced;
      }
    }
  }
  if (file.verdict != OpenVerdict::kOpened) {
    file.handle.reset();
    return file;
  }
  if (!reparse || !request.contents) return file;

  // For the contents: an open that does not stop at the reparse point, and
  // that is the judged file still (not a link put in its place meanwhile).
  ListedFile contents =
      Open(calls, folder, entry, request.access | FILE_READ_ATTRIBUTES, request.share, kind);
  if (!contents.handle) return contents;
  contents.attributes = file.attributes;
  contents.where = std::move(file.where);
  contents.verdict = SameFile(file.handle.get(), contents.handle.get()) ? OpenVerdict::kOpened
                                                                        : OpenVerdict::kReplaced;
  if (contents.verdict != OpenVerdict::kOpened) contents.handle.reset();
  return contents;
}

}  // namespace tables
