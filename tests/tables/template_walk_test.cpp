// The template walk and the table detachment on real folders and files.
#include "tables/template_walk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "debug_strings.h"
#include "tables/table_detach.h"
#include "tables/table_rules.h"
#include "temp_folder.h"

namespace tables {
namespace {

using namespace testing_support;

class TemplateWalk : public ::testing::Test {
 protected:
  // The template folder as the host's 8-bit path.
  std::string Template() const { return ToAnsi(work.Path() + L"TempLateTemp\\"); }
  std::wstring Table(std::wstring_view relative, std::uint8_t flags = 0x01) const {
    return work.Write(L"TempLateTemp\\" + std::wstring(relative), MakeTable(flags));
  }
  static std::uint8_t FlagsOf(const std::wstring& path) {
    const Bytes bytes = ReadBytes(path);
    return bytes.size() > kFlags ? bytes[kFlags] : 0xEE;
  }

  TempFolder work;
};

TEST_F(TemplateWalk, TablesAreRecognisedByTheirDbfExtensionInAnyLetterCase) {
  const std::vector<std::wstring> tables = {Table(L"a.dbf"), Table(L"B.Dbf"), Table(L"C.DBF"),
                                            Table(L".dbf")};
  const std::vector<std::wstring> others = {Table(L"D.DBF.BAK"), Table(L"E.DBFX"), Table(L"F.DBC"),
                                            Table(L"G_DBF")};
  ScanFolder(Template());
  for (const auto& t : tables) EXPECT_EQ(FlagsOf(t), 0x00) << Printable(t);
  for (const auto& t : others) EXPECT_EQ(FlagsOf(t), 0x01) << Printable(t);
}

TEST_F(TemplateWalk, ClearsOnlyTheIndexBitAndDeletesTheIndexFiles) {
  const Bytes original = MakeTable(0x03);
  const std::wstring table = work.Write(L"TempLateTemp\\CUSTOMER.DBF", original);
  const std::wstring mdx = work.Write(L"TempLateTemp\\CUSTOMER.MDX", {1, 2, 3});
  const std::wstring cdx = work.Write(L"TempLateTemp\\customer.cdx", {4, 5});
  const std::wstring memo = work.Write(L"TempLateTemp\\CUSTOMER.FPT", {6});
  const std::wstring appended = work.Write(L"TempLateTemp\\CUSTOMER.DBF.mdx", {7});

  ScanFolder(Template());

  Bytes expected = original;
  expected[kFlags] = 0x02;  // the memo bit stays
  EXPECT_EQ(ReadBytes(table), expected);
  EXPECT_FALSE(FileExists(mdx));
  EXPECT_FALSE(FileExists(cdx));
  EXPECT_TRUE(FileExists(memo));
  EXPECT_TRUE(FileExists(appended));
}

TEST_F(TemplateWalk, ATableWithoutTheFlagIsNotWrittenButLosesItsIndexFiles) {
  const std::wstring table = Table(L"PLAIN.DBF", 0x02);
  const std::wstring cdx = work.Write(L"TempLateTemp\\PLAIN.CDX", {1});
  // An old time stamp, so that any write would show.
  HANDLE stamp =
      ::CreateFileW(table.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(stamp, INVALID_HANDLE_VALUE);
  const FILETIME old = {0x2A69C000, 0x01D00000};
  EXPECT_TRUE(::SetFileTime(stamp, nullptr, nullptr, &old));
  ::CloseHandle(stamp);
  const FILETIME stamped = LastWriteTime(table);

  ScanFolder(Template());

  const FILETIME after = LastWriteTime(table);
  EXPECT_EQ(after.dwLowDateTime, stamped.dwLowDateTime);
  EXPECT_EQ(after.dwHighDateTime, stamped.dwHighDateTime);
  EXPECT_EQ(ReadBytes(table), MakeTable(0x02));
  EXPECT_FALSE(FileExists(cdx));
}

TEST_F(TemplateWalk, FilesThatAreNotTablesAreLeftExactlyAsTheyWere) {
  Bytes truncated = MakeTable(0x01, 10);
  truncated.resize(truncated.size() - 20);
  Bytes dbase2 = MakeTable(0x01);
  dbase2[0] = 0x02;
  const Bytes table = MakeTable(0x01);
  const std::string note = "Remember to back up the tables before the month's end.\r\n";
  const std::vector<std::pair<std::wstring, Bytes>> files = {
      {L"EMPTY.DBF", {}},
      {L"NOTES.DBF", Bytes(note.begin(), note.end())},
      {L"TRUNC.DBF", truncated},
      {L"OLD2.DBF", dbase2},
      {L"HSKM_HEADERONLY.DBF", Bytes(table.begin(), table.begin() + 32)},
  };
  std::vector<std::wstring> companions;
  for (const auto& [name, bytes] : files) {
    work.Write(L"TempLateTemp\\" + name, bytes);
    const std::wstring base = name.substr(0, name.size() - 4);
    companions.push_back(work.Write(L"TempLateTemp\\" + base + L".mdx", {9}));
  }

  ScanFolder(Template());

  for (const auto& [name, bytes] : files) {
    EXPECT_EQ(ReadBytes(work.Extended(L"TempLateTemp\\" + name)), bytes) << Printable(name);
  }
  for (const auto& c : companions) EXPECT_TRUE(FileExists(c)) << Printable(c);
}

TEST_F(TemplateWalk, FoldersWithFurtherAttributeBitsAreWalked) {
  const std::vector<std::pair<const wchar_t*, DWORD>> folders = {
      {L"plain", 0},
      {L"hidden", FILE_ATTRIBUTE_HIDDEN},
      {L"system", FILE_ATTRIBUTE_SYSTEM},
      {L"archive", FILE_ATTRIBUTE_ARCHIVE},
      {L"readonly", FILE_ATTRIBUTE_READONLY},
      {L"unindexed", FILE_ATTRIBUTE_NOT_CONTENT_INDEXED},
      {L"all", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE},
  };
  std::vector<std::wstring> tables;
  for (const auto& [name, attributes] : folders) {
    tables.push_back(Table(std::wstring(name) + L"\\T.DBF"));
    if (attributes != 0) {
      ASSERT_TRUE(::SetFileAttributesW(
          work.Extended(L"TempLateTemp\\" + std::wstring(name)).c_str(), attributes));
    }
  }
  ScanFolder(Template());
  for (const auto& t : tables) EXPECT_EQ(FlagsOf(t), 0x00) << Printable(t);
}

// The reference order: a plain recursive listing, entry by entry.
void ListRecursively(const std::wstring& folder, std::vector<std::wstring>& out) {
  WIN32_FIND_DATAW entry;
  HANDLE find = ::FindFirstFileW((folder + L"*.*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = entry.cFileName;
    if (name == L"." || name == L"..") continue;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      ListRecursively(folder + name + L"\\", out);
    } else if (IsTableName(std::wstring_view(name))) {
      out.push_back(folder + name);
    }
  } while (::FindNextFileW(find, &entry));
  ::FindClose(find);
}

TEST_F(TemplateWalk, WalksDepthFirstInTheFileSystemsOrder) {
  for (const wchar_t* name :
       {L"a1.dbf", L"m\\b1.dbf", L"m\\n\\c1.dbf", L"m\\n\\o\\d1.dbf", L"m\\n\\o\\d2.dbf",
        L"m\\n\\c2.dbf", L"m\\b2.dbf", L"z\\e1.dbf", L"a2.dbf", L"k\\x.txt", L"k\\f1.dbf"}) {
    Table(name);
  }
  std::vector<std::wstring> expected;
  ListRecursively(work.Extended(L"TempLateTemp\\"), expected);
  ASSERT_EQ(expected.size(), 10u);

  std::vector<std::wstring> visited;
  WalkTables(work.Path() + L"TempLateTemp\\",
             [&](ListedTable& table) { visited.push_back(table.path); });
  EXPECT_EQ(visited, expected);

  // Everything of m\ comes in one run, its deepest folder inside it.
  std::size_t first = visited.size(), last = 0;
  for (std::size_t i = 0; i < visited.size(); ++i) {
    if (visited[i].find(L"\\m\\") != std::wstring::npos) {
      first = std::min(first, i);
      last = i;
    }
  }
  EXPECT_EQ(last - first + 1, 6u);
}

TEST_F(TemplateWalk, AMissingOrEmptyFolderChangesNothing) {
  std::vector<std::wstring> visited;
  const auto record = [&](ListedTable& table) { visited.push_back(table.path); };
  WalkTables(work.Path() + L"TempLateTemp\\", record);
  WalkTables(L"", record);
  work.MakeFolder(L"TempLateTemp");
  WalkTables(work.Path() + L"TempLateTemp\\", record);
  EXPECT_TRUE(visited.empty());
  ScanFolder(Template());
  ScanFolder("");
}

TEST_F(TemplateWalk, ReadOnlyAndLockedTablesAreSkippedWithNothingChanged) {
  const std::wstring readOnly = Table(L"HSKM_RO.DBF");
  const std::wstring readOnlyMdx = work.Write(L"TempLateTemp\\HSKM_RO.MDX", {1});
  ASSERT_TRUE(::SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
  const std::wstring locked = Table(L"HSKM_LOCKED.DBF");
  const std::wstring lockedCdx = work.Write(L"TempLateTemp\\HSKM_LOCKED.CDX", {1});
  HANDLE holder =
      ::CreateFileW(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);

  ScanFolder(Template());
  ::CloseHandle(holder);

  EXPECT_EQ(ReadBytes(readOnly), MakeTable(0x01));
  EXPECT_TRUE(FileExists(readOnlyMdx));
  EXPECT_EQ(ReadBytes(locked), MakeTable(0x01));
  EXPECT_TRUE(FileExists(lockedCdx));
}

TEST_F(TemplateWalk, HskmTablesBelowTheTemplateFolderAreRemoved) {
  const std::wstring named = Table(L"T_hskm_1.DBF");
  const std::wstring namedMdx = work.Write(L"TempLateTemp\\T_hskm_1.MDX", {1});
  const std::wstring inFolder = Table(L"Old_HsKm\\PLAIN.DBF");
  const std::wstring kept = Table(L"H_S_K_M.DBF");
  ScanFolder(Template());
  EXPECT_FALSE(FileExists(named));
  EXPECT_FALSE(FileExists(namedMdx));
  EXPECT_FALSE(FileExists(inFolder));
  EXPECT_EQ(FlagsOf(kept), 0x00);
}

TEST_F(TemplateWalk, TheHostsOwnFolderNeverMarksTables) {
  const std::wstring table = work.Write(L"data\\hskm_old\\TempLateTemp\\KEEP.DBF", MakeTable(0x01));
  ScanFolder(ToAnsi(work.Path() + L"data\\hskm_old\\TempLateTemp\\"));
  ASSERT_TRUE(FileExists(table));
  EXPECT_EQ(FlagsOf(table), 0x00);
}

// A path of exactly `length` characters (plain form) for a table below the
// template folder, made of nested folders.
std::wstring LongTablePath(const TempFolder& work, std::size_t length, std::wstring_view name) {
  std::wstring relative = L"TempLateTemp\\";
  std::size_t remaining = length - work.Path().size() - relative.size() - name.size();
  while (remaining > 0) {  // each folder takes its name and a backslash
    std::size_t folder = std::min<std::size_t>(remaining - 1, 100);
    if (remaining - 1 - folder == 1) --folder;  // never leave room for a nameless folder
    relative += std::wstring(folder, L'd') + L"\\";
    remaining -= folder + 1;
  }
  return relative + std::wstring(name);
}

TEST_F(TemplateWalk, ReachesTablesBeyondTheOldPathLimit) {
  std::vector<std::wstring> tables;
  for (std::size_t length : {250u, 255u, 259u, 260u, 261u, 300u, 420u, 700u}) {
    const std::wstring relative =
        LongTablePath(work, length, L"T" + std::to_wstring(length) + L".DBF");
    ASSERT_EQ(work.Path().size() + relative.size(), length);
    tables.push_back(work.Write(relative, MakeTable(0x01)));
    work.Write(relative.substr(0, relative.size() - 4) + L".CDX", {1});
  }
  const std::wstring marked = work.Write(LongTablePath(work, 330, L"HSKM.DBF"), MakeTable(0x01));

  ScanFolder(Template());

  for (const auto& t : tables) {
    EXPECT_EQ(FlagsOf(t), 0x00) << t.size();
    EXPECT_FALSE(FileExists(t.substr(0, t.size() - 4) + L".CDX")) << t.size();
  }
  EXPECT_FALSE(FileExists(marked));
}

TEST_F(TemplateWalk, ReachesTablesWhoseNamesTheCodePageCannotSpell) {
  const std::wstring table = Table(L"\u5ba2\u6237\\\u0416\u00e9\u8868.DBF");
  ScanFolder(Template());
  EXPECT_EQ(FlagsOf(table), 0x00);
}

// Starts a Linux program (Wine starts Unix programs as it starts any other)
// in `folder`; Wine hands out no handle for it, so callers wait for its work.
bool StartLinuxProgram(const wchar_t* program, std::wstring command, const std::wstring& folder) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!::CreateProcessW(program, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process)) {
    return false;
  }
  if (process.hProcess != nullptr) ::CloseHandle(process.hProcess);
  if (process.hThread != nullptr) ::CloseHandle(process.hThread);
  return true;
}

// The attributes of `path` once `listed` says they are final (10 s at most).
DWORD WaitForAttributes(const std::wstring& path, bool (*listed)(DWORD)) {
  DWORD attributes = ::GetFileAttributesW(path.c_str());
  for (int i = 0; i < 1000 && !listed(attributes); ++i) {
    ::Sleep(10);
    attributes = ::GetFileAttributesW(path.c_str());
  }
  return attributes;
}

// `folder`\`link` made a Linux symbolic link to `target` (relative to
// `folder`) by the Linux ln. A link to a folder lists as a folder reparse
// point (0x410) that a walk could follow, a link to a file as a plain file
// (0x20); one made through CreateSymbolicLinkW is unusable under Wine 8.
// Removed with the Linux rm when the object goes (the Windows calls cannot
// remove it).
class LinuxLink {
 public:
  LinuxLink(const std::wstring& folder, const std::wstring& link, const std::wstring& target)
      : folder_(folder), link_(link) {
    if (StartLinuxProgram(L"Z:\\bin\\ln", L"ln -s " + target + L" " + link, folder)) {
      attributes_ =
          WaitForAttributes(folder + link, [](DWORD a) { return a != INVALID_FILE_ATTRIBUTES; });
    }
  }
  ~LinuxLink() {
    if (attributes_ != INVALID_FILE_ATTRIBUTES &&
        StartLinuxProgram(L"Z:\\bin\\rm", L"rm " + link_, folder_)) {
      WaitForAttributes(folder_ + link_, [](DWORD a) { return a == INVALID_FILE_ATTRIBUTES; });
    }
  }
  LinuxLink(const LinuxLink&) = delete;
  LinuxLink& operator=(const LinuxLink&) = delete;

  DWORD Attributes() const { return attributes_; }

 private:
  std::wstring folder_;
  std::wstring link_;
  DWORD attributes_ = INVALID_FILE_ATTRIBUTES;
};

TEST_F(TemplateWalk, LinksAreNeitherWalkedNorFollowed) {
  const std::wstring outside = work.Write(L"outside\\T.DBF", MakeTable(0x01));
  const std::wstring outsideIndex = work.Write(L"outside\\T.MDX", {1});
  const std::wstring inside = Table(L"T.DBF");
  const LinuxLink link(work.Path() + L"TempLateTemp\\", L"link", L"../outside");
  ASSERT_EQ(link.Attributes(),
            static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT));
  // The link leads to the table: a walk that followed it would reach it.
  ASSERT_EQ(ReadBytes(work.Path() + L"TempLateTemp\\link\\T.DBF"), MakeTable(0x01));

  std::vector<std::wstring> visited;
  WalkTables(work.Path() + L"TempLateTemp\\",
             [&](ListedTable& table) { visited.push_back(table.path); });
  ASSERT_EQ(visited.size(), 1u);
  EXPECT_EQ(visited[0], inside);

  // Links to files list as plain files, with the number of what they lead
  // to: a table, an "HSKM" table and a table's index file.
  const Bytes original = MakeTable(0x01);
  const std::wstring outsideMarked = work.Write(L"outside\\H.DBF", original);
  const std::wstring outsideOther = work.Write(L"outside\\O.MDX", {2});
  const std::wstring indexed = Table(L"I.DBF");
  const std::wstring folder = work.Path() + L"TempLateTemp\\";
  const LinuxLink links[] = {{folder, L"L.DBF", L"../outside/T.DBF"},
                             {folder, L"HSKM_L.DBF", L"../outside/H.DBF"},
                             {folder, L"I.MDX", L"../outside/O.MDX"}};
  for (const auto& l : links) ASSERT_EQ(l.Attributes(), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));

  ScanFolder(Template());
  EXPECT_EQ(FlagsOf(inside), 0x00);
  EXPECT_EQ(FlagsOf(indexed), 0x00);
  EXPECT_EQ(ReadBytes(outside), original);
  EXPECT_EQ(ReadBytes(outsideMarked), original);
  EXPECT_TRUE(FileExists(outsideIndex));
  EXPECT_TRUE(FileExists(outsideOther));
}

// The entries of `folder` in the order the file system lists them.
std::vector<std::wstring> ListedNames(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW entry;
  HANDLE find = ::FindFirstFileW((folder + L"*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring name = entry.cFileName;
    if (name != L"." && name != L"..") names.push_back(name);
  } while (::FindNextFileW(find, &entry));
  ::FindClose(find);
  return names;
}

TEST_F(TemplateWalk, AFolderATableAndAnIndexFileSwappedForLinksDuringTheWalkLeadNowhere) {
  const Bytes original = MakeTable(0x01);
  const std::wstring outside = work.Write(L"outside\\T.DBF", original);
  const std::wstring outsideIndex = work.Write(L"outside\\O.MDX", {1});
  // Listed as a plain folder, a marked table and a table's index file; once
  // the walk has listed them, the folder is moved out of the template
  // folder (the same folder, now with a table) and links to the outside are
  // put in their places.
  work.MakeFolder(L"TempLateTemp\\zHSKM");
  const std::wstring marked = Table(L"HSKM_V.DBF");
  const std::wstring table = Table(L"X.DBF");
  const std::wstring index = work.Write(L"TempLateTemp\\X.MDX", {2});
  // Tables listed before all of them: the swap follows the first one done.
  const std::wstring folder = work.Extended(L"TempLateTemp\\");
  for (int i = 0; i < 100; ++i) {
    const std::vector<std::wstring> names = ListedNames(folder);
    const auto first = std::find_if(names.begin(), names.end(),
                                    [](const std::wstring& n) { return n != L"X.MDX"; });
    if (first->rfind(L"first", 0) == 0) break;
    Table(L"first" + std::to_wstring(i) + L".DBF");
  }
  ASSERT_EQ(ListedNames(folder).front().rfind(L"first", 0), 0u);

  DebugStrings debug;
  std::optional<LinuxLink> links[3];
  std::wstring moved, movedIndex;
  ScanFolder(Template(), [&](std::size_t done, std::size_t) {
    if (done != 1) return;
    ASSERT_TRUE(::MoveFileW((folder + L"zHSKM").c_str(), work.Extended(L"moved").c_str()));
    moved = work.Write(L"moved\\M.DBF", original);
    movedIndex = work.Write(L"moved\\M.MDX", {3});
    ASSERT_TRUE(::DeleteFileW(marked.c_str()));
    ASSERT_TRUE(::DeleteFileW(index.c_str()));
    links[0].emplace(folder, L"zHSKM", L"../moved");
    links[1].emplace(folder, L"HSKM_V.DBF", L"../outside/T.DBF");
    links[2].emplace(folder, L"X.MDX", L"../outside/O.MDX");
    for (const auto& link : links) ASSERT_NE(link->Attributes(), INVALID_FILE_ATTRIBUTES);
  });
  ASSERT_TRUE(links[2]) << "no table was done";

  EXPECT_EQ(ReadBytes(outside), original);
  EXPECT_TRUE(FileExists(outsideIndex));
  EXPECT_EQ(ReadBytes(moved), original);
  EXPECT_TRUE(FileExists(movedIndex));
  EXPECT_EQ(FlagsOf(table), 0x00);
  const auto line = [&](const wchar_t* name, const char* reason) {
    return "qesh_deleteIndex_dbf: " + ToAnsi(work.Path() + L"TempLateTemp\\" + name) + ": " +
           reason;
  };
  std::vector<std::string> lines = debug.Take("qesh_deleteIndex_dbf: ");
  std::sort(lines.begin(), lines.end());
  EXPECT_EQ(lines, (std::vector<std::string>{
                       line(L"HSKM_V.DBF", "left alone: replaced since it was listed"),
                       line(L"X.DBF", "index file kept: X.MDX (replaced since it was listed)"),
                       line(L"zHSKM", "not entered: replaced since it was listed")}));
}

// Runs with the Chinese ANSI code page (LC_ALL=zh_CN.UTF-8 under Wine).
TEST(AnsiCodePage936, ChineseFolderAndTableNamesArriveAsTheHostPassesThem) {
  if (::GetACP() != 936) GTEST_SKIP() << "ANSI code page is " << ::GetACP() << ", not 936";
  TempFolder work;
  const std::wstring root = L"\u6a21\u677f\u6570\u636e\\";  // 模板数据
  const std::wstring table =
      work.Write(root + L"TempLateTemp\\\u5ba2\u6237\\\u5ba2\u6237\u8868.DBF", MakeTable(0x01));
  const std::wstring cdx =
      work.Write(root + L"TempLateTemp\\\u5ba2\u6237\\\u5ba2\u6237\u8868.cdx", {1});
  const std::wstring marked = work.Write(root + L"TempLateTemp\\HSKM\u8868.dbf", MakeTable(0x01));
  // 0x81 0x48 is one character whose trail byte reads "H" in 8 bits: followed
  // by "SKM" the 8-bit name holds "HSKM" across a character boundary.
  wchar_t straddling[2] = {};
  ASSERT_EQ(::MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, "\x81\x48", 2, straddling, 2), 1);
  const std::wstring kept =
      work.Write(root + L"TempLateTemp\\" + straddling[0] + L"SKM.DBF", MakeTable(0x01));

  const std::string host = ToAnsi(work.Path() + root + L"TempLateTemp\\");
  ASSERT_EQ(host.find('?'), std::string::npos);
  ScanFolder(host);

  EXPECT_EQ(ReadBytes(table)[kFlags], 0x00);
  EXPECT_FALSE(FileExists(cdx));
  EXPECT_FALSE(FileExists(marked));
  ASSERT_TRUE(FileExists(kept));
  EXPECT_EQ(ReadBytes(kept)[kFlags], 0x00);
}

}  // namespace
}  // namespace tables

namespace tables {
namespace {

TEST_F(TemplateWalk, TheCountAgreesWithTheTablesTheWalkHandsOver) {
  for (const wchar_t* name :
       {L"a.dbf", L"B.DbF", L"c.DBF.bak", L"notes.txt", L"d.dbx", L"folder.dbf\\inner.DBF",
        L"hidden\\h.dbf", L"system\\s.DBF", L"readonly\\r.dbf", L"deep\\er\\still\\x.dBf"}) {
    Table(name);
  }
  ASSERT_TRUE(
      ::SetFileAttributesW(work.Extended(L"TempLateTemp\\hidden").c_str(), FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(::SetFileAttributesW(work.Extended(L"TempLateTemp\\system").c_str(),
                                   FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE));
  ASSERT_TRUE(::SetFileAttributesW(work.Extended(L"TempLateTemp\\readonly").c_str(),
                                   FILE_ATTRIBUTE_READONLY));
  // A folder link back into the tree: followed, it would hand a table over
  // twice.
  const LinuxLink link(work.Path() + L"TempLateTemp\\", L"link", L"deep");
  ASSERT_EQ(link.Attributes(),
            static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT));
  std::size_t visited = 0;
  WalkTables(work.Path() + L"TempLateTemp\\", [&](ListedTable&) { ++visited; });
  EXPECT_EQ(visited, 7u);
  EXPECT_EQ(CountTables(work.Path() + L"TempLateTemp\\"), visited);

  // The scan reports the count first, then one step per table.
  std::vector<std::pair<std::size_t, std::size_t>> reports;
  ScanFolder(Template(),
             [&](std::size_t done, std::size_t total) { reports.emplace_back(done, total); });
  ASSERT_EQ(reports.size(), visited + 1);
  for (std::size_t i = 0; i < reports.size(); ++i) {
    EXPECT_EQ(reports[i], std::make_pair(i, visited)) << i;
  }
  EXPECT_EQ(FlagsOf(work.Extended(L"TempLateTemp\\deep\\er\\still\\x.dBf")), 0x00);
}

TEST_F(TemplateWalk, AnEmptyOrMissingTemplateCountsNothing) {
  std::vector<std::pair<std::size_t, std::size_t>> reports;
  const auto record = [&](std::size_t done, std::size_t total) {
    reports.emplace_back(done, total);
  };
  ScanFolder(Template(), record);
  work.MakeFolder(L"TempLateTemp");
  ScanFolder(Template(), record);
  EXPECT_EQ(reports, (std::vector<std::pair<std::size_t, std::size_t>>{{0, 0}, {0, 0}}));
}

}  // namespace
}  // namespace tables
