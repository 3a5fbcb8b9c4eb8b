// One table's detachment in the cases a careless job gets wrong: an index
// file reached through another file's short name, a link opened in place of
// a table, reparse points that are links and that are not, an open that
// would follow a link, a table another program holds or has locked; and the
// debug line that says why a table was left alone.
#include "tables/table_detach.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "debug_strings.h"
#include "tables/template_walk.h"
#include "temp_folder.h"

namespace tables {
namespace {

using namespace testing_support;

constexpr char kPrefix[] = "qesh_deleteIndex_dbf: ";

class TableDetach : public ::testing::Test {
 protected:
  std::string Template() const { return ToAnsi(work.Path() + L"TempLateTemp\\"); }
  std::wstring Write(std::wstring_view name, const Bytes& bytes) const {
    return work.Write(L"TempLateTemp\\" + std::wstring(name), bytes);
  }
  std::wstring Table(std::wstring_view name, std::uint8_t flags = 0x01) const {
    return Write(name, MakeTable(flags));
  }
  static std::uint8_t FlagsOf(const std::wstring& path) {
    const Bytes bytes = ReadBytes(path);
    return bytes.size() > kFlags ? bytes[kFlags] : 0xEE;
  }
  // The line reported for a table of the template folder.
  std::string Line(std::wstring_view name, const std::string& reason) const {
    return kPrefix + ToAnsi(work.Path() + L"TempLateTemp\\" + std::wstring(name)) + ": " + reason;
  }
  // Every table below the template folder through DetachTable with these
  // calls.
  void Walk(const FileCalls& calls) const {
    WalkTables(work.Path() + L"TempLateTemp\\",
               [&](ListedTable& table) { DetachTable(table, calls); });
  }

  TempFolder work;
  DebugStrings debug;
};

// The last component of a path's short (8.3) form.
std::wstring ShortName(const std::wstring& path) {
  wchar_t shortPath[1024] = {};
  const DWORD length = ::GetShortPathNameW(path.c_str(), shortPath, 1024);
  const std::wstring full(shortPath, length);
  return full.substr(full.rfind(L'\\') + 1);
}

TEST_F(TableDetach, AnotherTablesIndexFileReachedByItsShortNameIsKept) {
  // A read-only table keeps its flag, so it must keep its index file too.
  const std::wstring other = Table(L"CUSTOMERS_2023.DBF");
  const std::wstring otherMdx = Write(L"CUSTOMERS_2023.MDX", {1, 2, 3});
  ASSERT_TRUE(::SetFileAttributesW(other.c_str(), FILE_ATTRIBUTE_READONLY));
  const std::wstring alias = ShortName(otherMdx);
  if (alias == L"CUSTOMERS_2023.MDX") GTEST_SKIP() << "this file system makes no short names";
  ASSERT_EQ(alias.size(), 12u);  // e.g. CUST~G0R.MDX
  // A table literally named after that alias: its companion name is the alias.
  const std::wstring base = alias.substr(0, alias.size() - 4);
  const std::wstring table = Table(base + L".DBF");
  const std::wstring companion = work.Extended(L"TempLateTemp\\" + alias);
  ASSERT_TRUE(FileExists(companion));  // the lookup reaches the other table's file
  // The table's own index file in another letter case, and folders named as
  // index files, beside it.
  const std::wstring own = Table(L"Orders.dbf");
  const std::wstring ownCdx = Write(L"oRDERS.Cdx", {4});
  const std::wstring folderMdx = work.MakeFolder(L"TempLateTemp\\Orders.MDX");

  ScanFolder(Template());

  EXPECT_TRUE(FileExists(otherMdx));
  EXPECT_EQ(ReadBytes(otherMdx), (Bytes{1, 2, 3}));
  EXPECT_EQ(FlagsOf(other), 0x01);
  EXPECT_EQ(FlagsOf(table), 0x00);
  EXPECT_EQ(FlagsOf(own), 0x00);
  EXPECT_FALSE(FileExists(ownCdx));
  EXPECT_TRUE(FileExists(folderMdx));
  EXPECT_EQ(debug.Take(kPrefix),
            (std::vector<std::string>{Line(L"CUSTOMERS_2023.DBF", "left alone: read-only")}));
}

// The handle's attributes as a link, or a folder, would report them.
BOOL WINAPI AsLink(HANDLE file, FILE_INFO_BY_HANDLE_CLASS kind, LPVOID information, DWORD size) {
  const BOOL ok = ::GetFileInformationByHandleEx(file, kind, information, size);
  if (kind == FileAttributeTagInfo) {
    static_cast<FILE_ATTRIBUTE_TAG_INFO*>(information)->FileAttributes |=
        FILE_ATTRIBUTE_REPARSE_POINT;
  }
  return ok;
}
BOOL WINAPI AsFolder(HANDLE file, FILE_INFO_BY_HANDLE_CLASS kind, LPVOID information, DWORD size) {
  const BOOL ok = ::GetFileInformationByHandleEx(file, kind, information, size);
  if (kind == FileAttributeTagInfo) {
    static_cast<FILE_ATTRIBUTE_TAG_INFO*>(information)->FileAttributes |= FILE_ATTRIBUTE_DIRECTORY;
  }
  return ok;
}

TEST_F(TableDetach, ATableThatOpensAsALinkOrAFolderIsNeverWritten) {
  // The table outside the template folder, reachable from inside it: a hard
  // link shares its contents, so any write through the inside name shows.
  const Bytes original = MakeTable(0x01);
  const std::wstring outside = work.Write(L"outside\\REAL.DBF", original);
  work.MakeFolder(L"TempLateTemp");
  const std::wstring link = work.Extended(L"TempLateTemp\\HSKM_LINK.DBF");
  ASSERT_TRUE(::CreateHardLinkW(link.c_str(), outside.c_str(), nullptr)) << ::GetLastError();
  const std::wstring linkMdx = Write(L"HSKM_LINK.MDX", {1});
  const std::wstring linkCdx = Write(L"HSKM_LINK.CDX", {2});

  for (const auto& [information, reason] : {std::pair{AsLink, "left alone: a link, not a table"},
                                            std::pair{AsFolder, "left alone: a folder"}}) {
    FileCalls calls;
    calls.getInformation = information;
    Walk(calls);
    EXPECT_EQ(ReadBytes(outside), original);
    EXPECT_EQ(ReadBytes(link), original);
    EXPECT_TRUE(FileExists(linkMdx));
    EXPECT_TRUE(FileExists(linkCdx));
    EXPECT_EQ(debug.Take(kPrefix), (std::vector<std::string>{Line(L"HSKM_LINK.DBF", reason)}));
  }
  // With the real calls the same entry is a plain file: the control case.
  Walk(FileCalls{});
  EXPECT_FALSE(FileExists(link));
  EXPECT_FALSE(FileExists(linkMdx));
  EXPECT_EQ(FlagsOf(outside), 0x00);
}

// Reparse points Wine cannot make (it has no reparse tags), by name: the
// listings and the handles of these files and folders show them.
std::map<std::wstring, DWORD> reparseTags;

DWORD TagOf(std::wstring_view name) {
  const auto found = reparseTags.find(std::wstring(name));
  return found == reparseTags.end() ? 0 : found->second;
}

BOOL WINAPI WithTags(HANDLE file, FILE_INFO_BY_HANDLE_CLASS kind, LPVOID information, DWORD size) {
  if (!::GetFileInformationByHandleEx(file, kind, information, size)) return FALSE;
  if (kind == FileIdBothDirectoryInfo || kind == FileIdBothDirectoryRestartInfo) {
    for (auto* entry = static_cast<unsigned char*>(information);;) {
      auto* info = reinterpret_cast<FILE_ID_BOTH_DIR_INFO*>(entry);
      if (const DWORD tag = TagOf({info->FileName, info->FileNameLength / sizeof(wchar_t)})) {
        info->FileAttributes |= FILE_ATTRIBUTE_REPARSE_POINT;
        info->EaSize = tag;
      }
      if (info->NextEntryOffset == 0) break;
      entry += info->NextEntryOffset;
    }
  } else if (kind == FileAttributeTagInfo) {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = ::GetFinalPathNameByHandleW(file, path, MAX_PATH, 0);
    const std::wstring_view name(path, length);
    if (const DWORD tag = TagOf(name.substr(name.rfind(L'\\') + 1))) {
      auto* info = static_cast<FILE_ATTRIBUTE_TAG_INFO*>(information);
      info->FileAttributes |= FILE_ATTRIBUTE_REPARSE_POINT;
      info->ReparseTag = tag;
    }
  }
  return TRUE;
}

// Every open made below the template folder: the name, whether it stops at
// a reparse point, and whether it is relative to a folder's handle. The open
// of SWAPPED.DBF for its contents reaches OTHER.DBF, as it would a link put
// in its place after it was judged.
struct Open {
  std::wstring name;
  bool stopsAtReparsePoint;
  bool relative;
};
std::vector<Open> opens;

NTSTATUS NTAPI RecordedOpen(PHANDLE handle, ACCESS_MASK access, POBJECT_ATTRIBUTES attributes,
                            PIO_STATUS_BLOCK status, PLARGE_INTEGER size, ULONG fileAttributes,
                            ULONG share, ULONG disposition, ULONG options, PVOID ea,
                            ULONG eaLength) {
  const UNICODE_STRING* name = attributes->ObjectName;
  opens.push_back({std::wstring(name->Buffer, name->Length / sizeof(wchar_t)),
                   (options & FILE_OPEN_REPARSE_POINT) != 0, attributes->RootDirectory != nullptr});
  static const auto open = reinterpret_cast<FileCalls::OpenCall>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtCreateFile")));
  wchar_t otherName[] = L"OTHER.DBF";
  UNICODE_STRING other{sizeof otherName - sizeof(wchar_t), sizeof otherName, otherName};
  OBJECT_ATTRIBUTES swapped = *attributes;
  if (opens.back().name == L"SWAPPED.DBF" && !opens.back().stopsAtReparsePoint) {
    swapped.ObjectName = &other;
    attributes = &swapped;
  }
  return open(handle, access, attributes, status, size, fileAttributes, share, disposition, options,
              ea, eaLength);
}

TEST_F(TableDetach, OnlyReparsePointsThatAreNoLinksAreOpenedForTheirContentsAndPatched) {
  reparseTags = {
      {L"SWAPPED.DBF", IO_REPARSE_TAG_CLOUD_6},  {L"CLOUD.DBF", IO_REPARSE_TAG_CLOUD_6},
      {L"CLOUD.MDX", IO_REPARSE_TAG_CLOUD_6},    {L"DEDUP.DBF", IO_REPARSE_TAG_DEDUP},
      {L"WOF.DBF", IO_REPARSE_TAG_WOF},          {L"placeholder", IO_REPARSE_TAG_CLOUD},
      {L"SYMLINK.DBF", IO_REPARSE_TAG_SYMLINK},  {L"MOUNT.DBF", IO_REPARSE_TAG_MOUNT_POINT},
      {L"junction", IO_REPARSE_TAG_MOUNT_POINT}, {L"symlink", IO_REPARSE_TAG_SYMLINK},
      {L"LINKED.MDX", IO_REPARSE_TAG_SYMLINK},
  };
  const std::vector<std::wstring> patched = {
      Table(L"CLOUD.DBF"),  Table(L"DEDUP.DBF"),           Table(L"WOF.DBF"),
      Table(L"LINKED.DBF"), Table(L"placeholder\\IN.DBF"), Table(L"plain\\P.DBF")};
  const std::vector<std::wstring> kept = {Table(L"SYMLINK.DBF"), Table(L"MOUNT.DBF"),
                                          Table(L"junction\\J.DBF"), Table(L"symlink\\S.DBF")};
  const std::vector<std::wstring> deleted = {Write(L"CLOUD.MDX", {1}), Write(L"plain\\P.MDX", {2}),
                                             Write(L"plain\\P.CDX", {3}),
                                             Table(L"plain\\HSKM.DBF")};
  const std::wstring linkedIndex = Write(L"LINKED.MDX", {4});
  const std::wstring swapped = Table(L"SWAPPED.DBF");
  const std::wstring swappedIndex = Write(L"SWAPPED.MDX", {5});
  Table(L"OTHER.DBF");
  FileCalls calls;
  calls.getInformation = WithTags;
  calls.open = RecordedOpen;
  opens.clear();

  ScanFolder(
      Template(), [](std::size_t, std::size_t) {}, calls);

  for (const auto& t : patched) EXPECT_EQ(FlagsOf(t), 0x00) << Printable(t);
  for (const auto& t : kept) EXPECT_EQ(FlagsOf(t), 0x01) << Printable(t);
  for (const auto& f : deleted) EXPECT_FALSE(FileExists(f)) << Printable(f);
  EXPECT_TRUE(FileExists(linkedIndex));
  EXPECT_EQ(FlagsOf(swapped), 0x01);
  EXPECT_TRUE(FileExists(swappedIndex));
  EXPECT_EQ(
      debug.Take(kPrefix),
      (std::vector<std::string>{Line(L"SWAPPED.DBF", "left alone: replaced since it was listed")}));
  // Everything is opened relative to its folder without following a link;
  // only what is no link is opened again for its contents, right after.
  std::map<std::wstring, int> forContents;
  for (std::size_t i = 0; i < opens.size(); ++i) {
    EXPECT_TRUE(opens[i].relative) << Printable(opens[i].name);
    if (!opens[i].stopsAtReparsePoint) {
      ++forContents[opens[i].name];
      EXPECT_TRUE(i > 0 && opens[i - 1].name == opens[i].name && opens[i - 1].stopsAtReparsePoint)
          << Printable(opens[i].name);
    }
    EXPECT_FALSE(reparseTags.count(opens[i].name) && TagOf(opens[i].name) & 0x20000000)
        << "a link was opened: " << Printable(opens[i].name);
  }
  // The placeholder folder once for the count and once for the walk.
  EXPECT_EQ(forContents, (std::map<std::wstring, int>{{L"CLOUD.DBF", 1},
                                                      {L"SWAPPED.DBF", 1},
                                                      {L"DEDUP.DBF", 1},
                                                      {L"WOF.DBF", 1},
                                                      {L"placeholder", 2}}));
  // The plain tree's opens are among them: folder, table, index files.
  for (const wchar_t* name : {L"plain", L"P.DBF", L"P.MDX", L"P.CDX", L"HSKM.DBF", L"IN.DBF"}) {
    EXPECT_TRUE(std::any_of(opens.begin(), opens.end(), [&](const Open& open) {
      return open.name == name;
    })) << Printable(name);
  }
}

// A file system whose listings give no file numbers.
BOOL WINAPI WithoutFileNumbers(HANDLE file, FILE_INFO_BY_HANDLE_CLASS kind, LPVOID information,
                               DWORD size) {
  if (kind == FileIdBothDirectoryInfo || kind == FileIdBothDirectoryRestartInfo) {
    ::SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return ::GetFileInformationByHandleEx(file, kind, information, size);
}

TEST_F(TableDetach, AFileSystemWithoutFileNumbersIsWalkedAllTheSame) {
  const std::wstring table = Table(L"sub\\A.DBF");
  const std::wstring mdx = Write(L"sub\\A.MDX", {1});
  const std::wstring marked = Table(L"HSKM.DBF");
  FileCalls calls;
  calls.getInformation = WithoutFileNumbers;
  std::vector<std::pair<std::size_t, std::size_t>> reports;
  ScanFolder(
      Template(), [&](std::size_t done, std::size_t total) { reports.emplace_back(done, total); },
      calls);
  EXPECT_EQ(reports, (std::vector<std::pair<std::size_t, std::size_t>>{{0, 2}, {1, 2}, {2, 2}}));
  EXPECT_EQ(FlagsOf(table), 0x00);
  EXPECT_FALSE(FileExists(mdx));
  EXPECT_FALSE(FileExists(marked));
}

TEST_F(TableDetach, ATableAnotherProgramHoldsOpenWithSharingIsStillPatched) {
  const std::wstring table = Table(L"SHARED.DBF");
  const std::wstring cdx = Write(L"SHARED.CDX", {1});
  const std::wstring marked = Table(L"HSKM_SHARED.DBF");
  const std::wstring markedMdx = Write(L"HSKM_SHARED.MDX", {1});
  std::vector<HANDLE> holders;
  for (const std::wstring& path : {table, marked}) {
    holders.push_back(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                    nullptr));
    ASSERT_NE(holders.back(), INVALID_HANDLE_VALUE);
  }

  ScanFolder(Template());

  // The other program reads the cleared flag through its own handle.
  std::uint8_t flags = 0xEE;
  DWORD read = 0;
  ::SetFilePointer(holders[0], kFlags, nullptr, FILE_BEGIN);
  EXPECT_TRUE(::ReadFile(holders[0], &flags, 1, &read, nullptr));
  EXPECT_EQ(flags, 0x00);
  EXPECT_FALSE(FileExists(cdx));
  // The marked table cannot go while it is open without delete sharing: it
  // stays, patched, without its index file, and the line says so.
  EXPECT_TRUE(FileExists(marked));
  EXPECT_EQ(FlagsOf(marked), 0x00);
  EXPECT_FALSE(FileExists(markedMdx));
  for (HANDLE h : holders) ::CloseHandle(h);
  EXPECT_EQ(debug.Take(kPrefix),
            (std::vector<std::string>{Line(L"HSKM_SHARED.DBF", "\"HSKM\" table kept (error 32)")}));
}

// A header under another program's byte-range lock, as Windows reports it.
BOOL WINAPI LockedRead(HANDLE, LPVOID, DWORD, LPDWORD read, LPOVERLAPPED) {
  *read = 0;
  ::SetLastError(ERROR_LOCK_VIOLATION);
  return FALSE;
}
BOOL WINAPI LockedWrite(HANDLE, LPCVOID, DWORD, LPDWORD written, LPOVERLAPPED) {
  *written = 0;
  ::SetLastError(ERROR_LOCK_VIOLATION);
  return FALSE;
}

TEST_F(TableDetach, ATableWithALockedHeaderIsSkippedWithNothingChanged) {
  const Bytes original = MakeTable(0x03);
  const std::wstring table = Write(L"HSKM_LOCKED.DBF", original);
  const std::wstring mdx = Write(L"HSKM_LOCKED.MDX", {1});
  const std::wstring cdx = Write(L"HSKM_LOCKED.CDX", {2});
  const std::string line =
      Line(L"HSKM_LOCKED.DBF", "left alone: locked by another program (error 33)");

  FileCalls lockedRead;
  lockedRead.read = LockedRead;
  FileCalls lockedWrite;
  lockedWrite.write = LockedWrite;
  for (const FileCalls& calls : {lockedRead, lockedWrite}) {
    Walk(calls);
    EXPECT_EQ(ReadBytes(table), original);
    EXPECT_TRUE(FileExists(mdx));
    EXPECT_TRUE(FileExists(cdx));
    EXPECT_EQ(debug.Take(kPrefix), (std::vector<std::string>{line}));
  }
}

TEST_F(TableDetach, EveryTableLeftAloneOrPartlyHandledIsReportedOnce) {
  Bytes truncated = MakeTable(0x01, 10);
  truncated.resize(truncated.size() - 20);
  Bytes dbase2 = MakeTable(0x01);
  dbase2[0] = 0x02;
  Bytes noRecordLength = MakeTable(0x01);
  noRecordLength[10] = 0;
  Bytes badHeaderLength = MakeTable(0x01);
  badHeaderLength[8] = 20;
  Write(L"EMPTY.DBF", {});
  Write(L"TRUNC.DBF", truncated);
  Write(L"OLD2.DBF", dbase2);
  Write(L"NORECORD.DBF", noRecordLength);
  Write(L"HEADLEN.DBF", badHeaderLength);
  const std::wstring readOnly = Table(L"RO.DBF");
  ASSERT_TRUE(::SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
  const std::wstring exclusive = Table(L"EXCL.DBF");
  HANDLE holder =
      ::CreateFileW(exclusive.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  Table(L"KEPTIDX.DBF");
  const std::wstring keptMdx = Write(L"KEPTIDX.MDX", {1});
  ASSERT_TRUE(::SetFileAttributesW(keptMdx.c_str(), FILE_ATTRIBUTE_READONLY));
  // An index file another program holds open without delete sharing.
  Table(L"HELDIDX.DBF");
  const std::wstring heldCdx = Write(L"HELDIDX.CDX", {1});
  HANDLE indexHolder = ::CreateFileW(heldCdx.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                     OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(indexHolder, INVALID_HANDLE_VALUE);
  Table(L"FINE.DBF");
  Write(L"FINE.CDX", {1});

  ScanFolder(Template());
  ::CloseHandle(holder);
  ::CloseHandle(indexHolder);

  std::vector<std::string> lines = debug.Take(kPrefix);
  std::sort(lines.begin(), lines.end());
  std::vector<std::string> expected = {
      Line(L"EMPTY.DBF", "left alone: not a table header: shorter than 32 bytes"),
      Line(L"TRUNC.DBF", "left alone: not a table header: file shorter than its records"),
      Line(L"OLD2.DBF", "left alone: not a table header: dBASE II layout"),
      Line(L"NORECORD.DBF", "left alone: not a table header: record length 0"),
      Line(L"HEADLEN.DBF", "left alone: not a table header: header length out of range"),
      Line(L"RO.DBF", "left alone: read-only"),
      Line(L"EXCL.DBF", "left alone: open failed (error 32)"),
      Line(L"KEPTIDX.DBF", "index file kept: KEPTIDX.MDX (error 5)"),
      Line(L"HELDIDX.DBF", "index file kept: HELDIDX.CDX (error 32)"),
  };
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(lines, expected);
  EXPECT_EQ(FlagsOf(work.Extended(L"TempLateTemp\\KEPTIDX.DBF")), 0x00);
  EXPECT_TRUE(FileExists(keptMdx));
  EXPECT_TRUE(FileExists(heldCdx));
}

TEST_F(TableDetach, NothingIsReportedWhenAllGoesWell) {
  Table(L"A.DBF");
  Write(L"A.MDX", {1});
  Table(L"B.DBF", 0x00);
  Table(L"sub\\HSKM_C.DBF");
  Write(L"sub\\HSKM_C.CDX", {1});
  ScanFolder(Template());
  EXPECT_FALSE(FileExists(work.Extended(L"TempLateTemp\\sub\\HSKM_C.DBF")));
  EXPECT_EQ(debug.Take(kPrefix), std::vector<std::string>{});
  // A table gone since its folder was listed: the open's error.
  const std::wstring gone = Table(L"GONE.DBF");
  WalkTables(work.Path() + L"TempLateTemp\\", [&](ListedTable& table) {
    if (table.Name() != L"GONE.DBF") return;
    ASSERT_TRUE(::DeleteFileW(gone.c_str()));
    EXPECT_FALSE(DetachTable(table));
  });
  EXPECT_EQ(debug.Take(kPrefix),
            (std::vector<std::string>{Line(L"GONE.DBF", "left alone: open failed (error 2)")}));
}

}  // namespace
}  // namespace tables
