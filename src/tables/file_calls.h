// The file-system calls the walk and the detachment make. The library uses
// the system's own; a test replaces some of them to record how files are
// opened, or to make what this machine's Wine cannot make: handles and
// listings that show reparse tags, a header locked by another program.
//
// Everything below the template folder is opened relative to its folder's
// open handle (NtCreateFile with a root directory: ntdll has it on every
// Windows, and it is looked up at run time, as the library imports only
// kernel32 and a few others).
#pragma once

#include <windows.h>
#include <winternl.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace tables {

struct FileCalls {
  using OpenCall = NTSTATUS(NTAPI*)(PHANDLE, ACCESS_MASK, POBJECT_ATTRIBUTES, PIO_STATUS_BLOCK,
                                    PLARGE_INTEGER, ULONG, ULONG, ULONG, ULONG, PVOID, ULONG);
  using InformationCall = BOOL(WINAPI*)(HANDLE, FILE_INFO_BY_HANDLE_CLASS, LPVOID, DWORD);
  // ntdll's NtCreateFile when null.
  OpenCall open = nullptr;
  // Handle queries and folder listings (FileIdBothDirectoryInfo).
  InformationCall getInformation = ::GetFileInformationByHandleEx;
  BOOL(WINAPI* read)(HANDLE, LPVOID, DWORD, LPDWORD, LPOVERLAPPED) = ::ReadFile;
  BOOL(WINAPI* write)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED) = ::WriteFile;
};

// Whether ntdll's calls could be found (on any Windows, and under Wine, they
// can).
bool HaveNativeCalls();

// Opens `name` (one component) inside the folder `folder` with these access
// rights, create options and sharing (FILE_OPEN, synchronous I/O). The name is taken
// as it is, letter case included: it comes from the folder's listing. The
// Windows error on failure, with `opened` left invalid.
DWORD OpenInFolder(const FileCalls& calls, HANDLE folder, std::wstring_view name,
                   ACCESS_MASK access, ULONG options, ULONG share, HANDLE& opened);

// The file system's number for the open file (the FileId its folder's
// listing gives it); 0 when the file system has none.
std::uint64_t FileNumber(HANDLE file);

// The system's name of the open file or folder: where the handle leads
// (under Wine the real place, a followed link resolved), without a trailing
// backslash; empty when the system cannot say. Not limited to MAX_PATH.
std::wstring HandlePath(HANDLE file);

}  // namespace tables
