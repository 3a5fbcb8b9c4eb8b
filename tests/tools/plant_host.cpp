// plant-host.exe WORK_FOLDER\ : a host whose folder holds a planted
// uxtheme.dll and version.dll. It makes its window first (Wine's own user32
// looks for uxtheme.dll by name then, and lets it go again), removes the
// planted libraries' marker files, calls DoIt and reports whether the
// library called into a planted one, or anything loaded one, during the call.
// Exit code: 0 the job ran and no planted library was touched, 3 the library
// called into one, 4 one was loaded, 1 the job did not run, 2 no library.
#include <string>
#include <vector>

#include "host_window.h"

namespace {

std::wstring OwnFolder() {
  wchar_t self[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  const std::wstring path(self, length);
  return path.substr(0, path.rfind(L'\\') + 1);
}

// The marker files in this program's folder that match `pattern`.
std::vector<std::wstring> Markers(const wchar_t* pattern) {
  std::vector<std::wstring> found;
  WIN32_FIND_DATAW data{};
  const HANDLE search = ::FindFirstFileW((OwnFolder() + pattern).c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return found;
  do found.push_back(OwnFolder() + data.cFileName);
  while (::FindNextFileW(search, &data));
  ::FindClose(search);
  return found;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) return 2;
  using namespace testing_support;
  HostWindow host;
  Library library;
  if (!library.Loaded()) return 2;
  for (const std::wstring& marker : Markers(L"*.dll-*")) ::DeleteFileW(marker.c_str());

  std::string work;
  for (const wchar_t* c = argv[1]; *c != L'\0'; ++c) work.push_back(static_cast<char>(*c));
  const std::wstring result = library.Run(host.Handle(), work.c_str(), "D:\\src");
  if (!Markers(L"*.dll-called-by-qesh_deleteIndex_dbf.dll").empty()) return 3;
  if (!Markers(L"*.dll-was-loaded").empty()) return 4;
  return result == L"D:\\src\\" ? 0 : 1;
}
