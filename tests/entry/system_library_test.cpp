// System libraries come from the system folder only: win::LoadSystemLibrary
// itself, and a DoIt call in a host whose folder holds a planted uxtheme.dll
// and version.dll (with Wine told to prefer native ones wherever it finds
// them, see tests/CMakeLists.txt).
#include "win/system_library.h"

#include <gtest/gtest.h>

#include <string>

#include "temp_folder.h"

namespace {

using namespace testing_support;

std::wstring ModuleFolder(HMODULE module) {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameW(module, path, MAX_PATH);
  const std::wstring full(path, length);
  return full.substr(0, full.rfind(L'\\') + 1);
}

std::wstring SystemFolder() {
  wchar_t path[MAX_PATH] = {};
  const UINT length = ::GetSystemDirectoryW(path, MAX_PATH);
  return std::wstring(path, length) + L"\\";
}

bool SameText(const std::wstring& a, const std::wstring& b) {
  return ::CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

TEST(LoadSystemLibrary, LoadsFromTheSystemFolderOnly) {
  const HMODULE version = win::LoadSystemLibrary(L"version.dll");
  ASSERT_NE(version, nullptr);
  EXPECT_TRUE(SameText(ModuleFolder(version), SystemFolder())) << Printable(ModuleFolder(version));
  ::FreeLibrary(version);
  // The library under test lies beside this program, not in the system
  // folder: a bare-name search would find it, this must not.
  ASSERT_TRUE(FileExists(ModuleFolder(nullptr) + L"qesh_deleteIndex_dbf.dll"));
  EXPECT_EQ(win::LoadSystemLibrary(L"qesh_deleteIndex_dbf.dll"), nullptr);
  EXPECT_EQ(win::LoadSystemLibrary(L"qesh_no_such_library.dll"), nullptr);
  EXPECT_EQ(win::LoadSystemLibrary(L""), nullptr);
  EXPECT_EQ(win::LoadSystemLibrary(nullptr), nullptr);
}

// Runs `command` in `folder` and returns its exit code (-1 when it could not
// start or did not end within a minute).
DWORD RunProgram(std::wstring command, const std::wstring& folder) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process)) {
    return static_cast<DWORD>(-1);
  }
  DWORD code = static_cast<DWORD>(-1);
  if (::WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0) {
    ::GetExitCodeProcess(process.hProcess, &code);
  } else {
    ::TerminateProcess(process.hProcess, 99);
  }
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return code;
}

TEST(PlantedSystemLibrary, AUxthemeOrVersionBesideTheHostIsNeverUsedByDoIt) {
  TempFolder work;
  const std::wstring bin = ModuleFolder(nullptr);
  const std::wstring host = work.MakeFolder(L"host");
  ASSERT_TRUE(::CopyFileW((bin + L"qesh_deleteIndex_dbf.dll").c_str(),
                          (host + L"qesh_deleteIndex_dbf.dll").c_str(), FALSE));
  for (const wchar_t* name : {L"bare-load.exe", L"plant-host.exe"}) {
    ASSERT_TRUE(::CopyFileW((bin + L"planted\\" + name).c_str(), (host + name).c_str(), FALSE))
        << Printable(name);
  }
  // Control: a bare-name load from that folder does pick the planted file,
  // and its caller is recorded (ctest runs this program with
  // WINEDLLOVERRIDES uxtheme,version=n,b).
  for (const wchar_t* name : {L"uxtheme.dll", L"version.dll"}) {
    SCOPED_TRACE(Printable(name));
    ASSERT_TRUE(::CopyFileW((bin + L"planted\\planted.dll").c_str(), (host + name).c_str(), FALSE));
    EXPECT_EQ(RunProgram(L"\"" + host + L"bare-load.exe\" " + name, host), 0u);
    const std::wstring called = host + name + L"-called-by-bare-load.exe";
    ASSERT_TRUE(FileExists(called)) << "the planted library is not used even by a bare name: is "
                                       "WINEDLLOVERRIDES set?";
    ASSERT_TRUE(::DeleteFileW(called.c_str()));
  }

  // The host shows the progress window (painted, themed or not) and the job
  // runs on a table; 3 would say the library called into a planted library,
  // 4 that something loaded one meanwhile.
  const std::wstring table = work.Write(L"TempLateTemp\\T.DBF", MakeTable(0x01));
  EXPECT_EQ(RunProgram(L"\"" + host + L"plant-host.exe\" " + work.Path(), host), 0u);
  EXPECT_EQ(ReadBytes(table)[28], 0x00);  // DoIt really ran its job
}

}  // namespace
