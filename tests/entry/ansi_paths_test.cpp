// Host paths arrive as 8-bit strings in the ANSI code page. Where the ANSI and
// OEM code pages differ (1252 and 437 in the test prefix), a folder named
// "café" passed as the host passes it must be the folder walked, and the data
// source comes back spelled as the host spelled it.
#include <gtest/gtest.h>

#include "host_window.h"
#include "temp_folder.h"

namespace {

using namespace testing_support;

std::wstring Widened(UINT codePage, const std::string& bytes) {
  std::wstring wide(bytes.size(), L'\0');
  const int units = ::MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()),
                                          wide.data(), static_cast<int>(wide.size()));
  wide.resize(static_cast<std::size_t>(units > 0 ? units : 0));
  return wide;
}

TEST(AnsiHostPaths, AWorkFolderNamedInTheAnsiCodePageIsWalked) {
  const std::wstring name = L"caf\u00e9";
  const std::string ansi = ToAnsi(name);
  ASSERT_EQ(Widened(CP_ACP, ansi), name) << "the ANSI code page cannot spell the name";
  ASSERT_NE(Widened(CP_OEMCP, ansi), name)
      << "the ANSI (" << ::GetACP() << ") and OEM (" << ::GetOEMCP()
      << ") code pages read the name alike here, so the case proves nothing";

  Library library;
  ASSERT_TRUE(library.Loaded());
  HostWindow host;
  TempFolder work;
  const std::wstring folder = name + L"\\";
  const std::wstring table = work.Write(folder + L"TempLateTemp\\CUSTOMER.DBF", MakeTable(0x01));
  const std::wstring index = work.Write(folder + L"TempLateTemp\\CUSTOMER.MDX", {1});
  const std::string workFolder = ToAnsi(work.Path() + folder);
  const std::string dataSource = "D:\\" + ansi;

  EXPECT_EQ(library.Run(host.Handle(), workFolder.c_str(), dataSource.c_str()),
            L"D:\\" + name + L"\\");
  const Bytes after = ReadBytes(table);
  ASSERT_GT(after.size(), 28u);
  EXPECT_EQ(after[28], 0x00);
  EXPECT_FALSE(FileExists(index));
}

}  // namespace
