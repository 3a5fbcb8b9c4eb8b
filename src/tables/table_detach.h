// Detaching one dBASE table from its indexes.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace tables {

// The calls made on a table's open handle. The library uses the system's own;
// a test replaces them to make the faults this machine's Wine cannot make: a
// handle that is a link or a folder, a header locked by another program
// (ERROR_LOCK_VIOLATION on the read or on the write).
struct TableFileCalls {
  using InformationCall = BOOL(WINAPI*)(HANDLE, FILE_INFO_BY_HANDLE_CLASS, LPVOID, DWORD);
  InformationCall getInformation = ::GetFileInformationByHandleEx;
  BOOL(WINAPI* read)(HANDLE, LPVOID, DWORD, LPDWORD, LPOVERLAPPED) = ::ReadFile;
  BOOL(WINAPI* write)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED) = ::WriteFile;
};

// Clears the index flag (bit 0x01 of byte 28) of the table at `tablePath`,
// deletes its companion index files (.mdx, then .cdx) and, when the part of
// the path from `markerFrom` on (the part below the template folder) holds
// "HSKM", deletes the table itself; in that order, so that a job stopped at
// any point leaves no table flagged without its index files.
//
// The table is opened without following links; it is written only when the
// opened file is a plain, writable file with a plausible header and the flag
// set. A table that cannot be opened, read or written is skipped with nothing
// changed and nothing deleted. Only files whose own long name is the table's
// base name plus ".mdx" or ".cdx" (any letter case) are deleted as its index
// files, never a file reached through its short name: a file found by such a
// name is checked for its own long name, unless the caller knows that no file
// of the folder has an index file's name as its short name
// (`indexNamesMayBeShortNames` false). Every table left alone or only partly
// handled is reported (table_report.h). Returns true when the table was
// processed. Never throws.
bool DetachTableIndex(const std::wstring& tablePath, std::size_t markerFrom,
                      bool indexNamesMayBeShortNames = true,
                      const TableFileCalls& calls = TableFileCalls()) noexcept;

}  // namespace tables
