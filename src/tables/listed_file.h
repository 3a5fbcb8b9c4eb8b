// Opening the very file or folder a folder's listing showed, relative to the
// folder's handle, never through a link put in its place since.
#pragma once

#include <windows.h>

#include <string>

#include "tables/file_calls.h"
#include "tables/folder_listing.h"
#include "win/file_handles.h"

namespace tables {

enum class OpenVerdict {
  kOpened,      // the listed file or folder
  kFailed,      // could not be opened: `error`
  kUnreadable,  // opened, but its attributes could not be read: `error`
  kLink,        // a link (a name surrogate) is there now
  kFolder,      // a folder where a file was listed
  kReplaced,    // another file or folder than the listed one
};

struct ListedFile {
  win::UniqueFile handle;
  OpenVerdict verdict = OpenVerdict::kFailed;
  DWORD error = ERROR_SUCCESS;
  DWORD attributes = 0;  // the open handle's own
  std::wstring where;    // where the handle leads; empty when unknown
};

// An open folder of the walk with its listing.
struct ListedFolder {
  HANDLE handle;
  const FolderListing& listing;
  // Where the system says the handle leads (HandlePath); empty when it
  // cannot say.
  const std::wstring& where;
};

// How the listed entry is wanted.
struct OpenRequest {
  ACCESS_MASK access = 0;
  ULONG share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  bool folder = false;
  // A reparse point that is no link (a cloud placeholder, a deduplicated or
  // compressed file) gives its contents only through an open that does not
  // stop at it: then it is opened so once it has been judged, and the
  // second handle must be the same file on the same volume. Without this it
  // is opened as itself (to be deleted, say).
  bool contents = true;
};

// Opens `entry` of `folder`'s listing without following a link, and judges
// the handle: it must be the file the listing numbered, not a link, a folder
// exactly when one is wanted, and, where the system says where handles
// lead, exactly where the listing showed it. (Wine follows a Linux symbolic
// link whatever the open asks, and lists a link to a file as the plain file
// it leads to, with that file's number; only where the handle leads tells.)
// Only a handle judged kOpened is handed back.
ListedFile OpenListedFile(const FileCalls& calls, const ListedFolder& folder,
                          const FolderEntry& entry, const OpenRequest& request);

}  // namespace tables
