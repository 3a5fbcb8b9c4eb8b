#include "tables/file_calls.h"

#include <algorithm>
#include <memory>

namespace tables {
namespace {

using QueryCall = NTSTATUS(NTAPI*)(HANDLE, PIO_STATUS_BLOCK, PVOID, ULONG, FILE_INFORMATION_CLASS);
using ErrorCall = ULONG(NTAPI*)(NTSTATUS);
using ObjectCall = NTSTATUS(NTAPI*)(HANDLE, OBJECT_INFORMATION_CLASS, PVOID, ULONG, PULONG);

// ntdll is in every process from its start and never unloaded.
struct Ntdll {
  FileCalls::OpenCall create = nullptr;
  QueryCall query = nullptr;
  ErrorCall error = nullptr;
  ObjectCall object = nullptr;

  Ntdll() {
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    if (ntdll == nullptr) return;
    create = reinterpret_cast<FileCalls::OpenCall>(
        reinterpret_cast<void*>(::GetProcAddress(ntdll, "NtCreateFile")));
    query = reinterpret_cast<QueryCall>(
        reinterpret_cast<void*>(::GetProcAddress(ntdll, "NtQueryInformationFile")));
    error = reinterpret_cast<ErrorCall>(
        reinterpret_cast<void*>(::GetProcAddress(ntdll, "RtlNtStatusToDosError")));
    object = reinterpret_cast<ObjectCall>(
        reinterpret_cast<void*>(::GetProcAddress(ntdll, "NtQueryObject")));
  }
};

// Looked up once, as the module is loaded (before any job thread can ask;
// the library is built without thread-safe local statics).
const Ntdll kNtdll;

}  // namespace

bool HaveNativeCalls() {
  const Ntdll& ntdll = kNtdll;
  return ntdll.create != nullptr && ntdll.query != nullptr && ntdll.error != nullptr &&
         ntdll.object != nullptr;
}

DWORD OpenInFolder(const FileCalls& calls, HANDLE folder, std::wstring_view name,
                   ACCESS_MASK access, ULONG options, ULONG share, HANDLE& opened) {
  opened = INVALID_HANDLE_VALUE;
  const Ntdll& ntdll = kNtdll;
  const FileCalls::OpenCall open = calls.open != nullptr ? calls.open : ntdll.create;
  constexpr std::size_t kLongestName = 0x7FFF;  // UNICODE_STRING counts bytes in 16 bits
  if (open == nullptr || ntdll.error == nullptr) return ERROR_PROC_NOT_FOUND;
  if (name.empty() || name.size() > kLongestName) return ERROR_INVALID_NAME;

  UNICODE_STRING unicode;
  unicode.Buffer = const_cast<PWSTR>(name.data());
  unicode.Length = static_cast<USHORT>(name.size() * sizeof(wchar_t));
  unicode.MaximumLength = unicode.Length;
  // Without OBJ_CASE_INSENSITIVE: the listed name in its own letter case
  // (Windows matches any case all the same; Wine then looks for exactly
  // that name instead of comparing every name of the folder).
  OBJECT_ATTRIBUTES attributes;
  InitializeObjectAttributes(&attributes, &unicode, 0, folder, nullptr);
  IO_STATUS_BLOCK status{};
  HANDLE handle = nullptr;
  const NTSTATUS result =
      open(&handle, access | SYNCHRONIZE, &attributes, &status, nullptr, 0, share, FILE_OPEN,
           options | FILE_SYNCHRONOUS_IO_NONALERT, nullptr, 0);
  if (!NT_SUCCESS(result)) return ntdll.error(result);
  opened = handle;
  return ERROR_SUCCESS;
}

std::uint64_t FileNumber(HANDLE file) {
  const Ntdll& ntdll = kNtdll;
  FILE_INTERNAL_INFORMATION internal{};
  IO_STATUS_BLOCK status{};
  if (ntdll.query == nullptr ||
      !NT_SUCCESS(ntdll.query(file, &status, &internal, sizeof internal, FileInternalInformation)))
    return 0;
  return static_cast<std::uint64_t>(internal.IndexNumber.QuadPart);
}

std::wstring HandlePath(HANDLE file) {
  const Ntdll& ntdll = kNtdll;
  if (ntdll.object == nullptr) return {};
  // The name follows the structure in the buffer; UNICODE_STRING lengths
  // are 16-bit byte counts, so 64 KiB always holds it.
  constexpr ULONG kLargest = sizeof(UNICODE_STRING) + 0x10000;
  ULONG bytes = 1024;
  std::unique_ptr<ULONGLONG[]> buffer(new ULONGLONG[bytes / sizeof(ULONGLONG)]);
  for (;;) {
    ULONG needed = 0;
    const NTSTATUS status =
        ntdll.object(file, static_cast<OBJECT_INFORMATION_CLASS>(1) /* ObjectNameInformation */,
                     buffer.get(), bytes, &needed);
    if (NT_SUCCESS(status)) break;
    if (bytes >= kLargest || needed <= bytes) return {};
    bytes = (std::min(needed, kLargest) + 7) / 8 * 8;  // whole ULONGLONGs
    buffer.reset(new ULONGLONG[bytes / sizeof(ULONGLONG)]);
  }
  const auto* name = reinterpret_cast<const UNICODE_STRING*>(buffer.get());
  std::wstring path(name->Buffer, name->Length / sizeof(wchar_t));
  if (!path.empty() && path.back() == L'\\') path.pop_back();
  return path;
}

}  // namespace tables
