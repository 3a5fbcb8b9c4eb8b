// The extended path rule: local paths get "\\?\", network paths
// "\\server\share\..." become "\\?\UNC\server\share\..." (the "\\" of the
// server name replaced, not kept). A plain test of the rule: a real share
// cannot be reached under Wine.
#include "tables/wide_path.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace tables {
namespace {

TEST(ExtendedPath, NetworkPathsTakeTheUncForm) {
  EXPECT_EQ(ExtendedPath(L"\\\\server\\share\\work\\TempLateTemp\\"),
            L"\\\\?\\UNC\\server\\share\\work\\TempLateTemp\\");
  EXPECT_EQ(ExtendedPath(L"\\\\server\\share\\T.DBF"), L"\\\\?\\UNC\\server\\share\\T.DBF");
  // Forward slashes and dot segments are normalised first.
  EXPECT_EQ(ExtendedPath(L"//server/share/a/../b/"), L"\\\\?\\UNC\\server\\share\\b\\");
}

TEST(ExtendedPath, LocalPathsTakeThePlainExtendedForm) {
  EXPECT_EQ(ExtendedPath(L"C:\\work\\TempLateTemp\\"), L"\\\\?\\C:\\work\\TempLateTemp\\");
  EXPECT_EQ(ExtendedPath(L"C:/work/./x/../T.DBF"), L"\\\\?\\C:\\work\\T.DBF");
}

TEST(ExtendedPath, ExtendedAndDevicePathsAreKept) {
  EXPECT_EQ(ExtendedPath(L"\\\\?\\C:\\work\\"), L"\\\\?\\C:\\work\\");
  EXPECT_EQ(ExtendedPath(L"\\\\?\\UNC\\server\\share\\"), L"\\\\?\\UNC\\server\\share\\");
  EXPECT_EQ(ExtendedPath(L"\\\\.\\C:\\work\\"), L"\\\\.\\C:\\work\\");
  EXPECT_EQ(ExtendedPath(L""), L"");
}

TEST(ExtendedPath, RelativePathsAreResolvedAgainstTheCurrentFolder) {
  wchar_t current[MAX_PATH];
  const DWORD length = ::GetCurrentDirectoryW(MAX_PATH, current);
  ASSERT_GT(length, 0u);
  std::wstring expected = L"\\\\?\\" + std::wstring(current, length);
  if (expected.back() != L'\\') expected += L'\\';
  EXPECT_EQ(ExtendedPath(L"TempLateTemp\\"), expected + L"TempLateTemp\\");
}

}  // namespace
}  // namespace tables
