// plant-host.exe WORK_FOLDER\ : a host whose folder holds a planted
// uxtheme.dll. It makes its window first (Wine's own user32 looks for
// uxtheme.dll by name then, and lets it go again), removes the planted
// library's marker file, calls DoIt and reports whether anything loaded the
// planted library during the call.
// Exit code: 0 the job ran and nothing loaded it, 3 it was loaded, 1 the
// job did not run, 2 no library.
#include <string>

#include "host_window.h"

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) return 2;
  using namespace testing_support;
  HostWindow host;
  Library library;
  if (!library.Loaded()) return 2;
  wchar_t self[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring marker(self, length);
  marker = marker.substr(0, marker.rfind(L'\\') + 1) + L"uxtheme-was-loaded";
  ::DeleteFileW(marker.c_str());

  std::string work;
  for (const wchar_t* c = argv[1]; *c != L'\0'; ++c) work.push_back(static_cast<char>(*c));
  const std::wstring result = library.Run(host.Handle(), work.c_str(), "D:\\src");
  if (::GetFileAttributesW(marker.c_str()) != INVALID_FILE_ATTRIBUTES) return 3;
  return result == L"D:\\src\\" ? 0 : 1;
}
