// A stranger's system library, planted beside a host program as uxtheme.dll
// and as version.dll. It exports the functions the library under test binds
// (doing nothing) and leaves marker files beside itself: "<self>-was-loaded"
// when anything loads it, and "<self>-called-by-<module>" naming the module
// that called one of its functions. Wine's own user32 loads a uxtheme.dll by
// name, so only the caller's name tells who used the planted file.
#include <windows.h>

#include <string>

namespace {

HMODULE g_self = nullptr;

std::wstring BaseName(HMODULE module) {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameW(module, path, MAX_PATH);
  const std::wstring full(path, length);
  return full.substr(full.rfind(L'\\') + 1);
}

void Mark(const std::wstring& what) {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameW(g_self, path, MAX_PATH);
  std::wstring marker(path, length);
  marker = marker.substr(0, marker.rfind(L'\\') + 1) + BaseName(g_self) + L"-" + what;
  const HANDLE file = ::CreateFileW(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
}

void CalledFrom(void* returnAddress) {
  HMODULE caller = nullptr;
  ::GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      static_cast<LPCWSTR>(returnAddress), &caller);
  Mark(L"called-by-" + (caller != nullptr ? BaseName(caller) : std::wstring(L"unknown")));
}

#define RECORD_CALLER() CalledFrom(__builtin_return_address(0))

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  g_self = self;
  Mark(L"was-loaded");
  return TRUE;
}

// The control's probe: proves the caller is recorded.
__declspec(dllexport) void WINAPI PlantedProbe() { RECORD_CALLER(); }

// uxtheme's functions: no themes.
__declspec(dllexport) BOOL WINAPI IsAppThemed() {
  RECORD_CALLER();
  return FALSE;
}
__declspec(dllexport) BOOL WINAPI IsThemeActive() {
  RECORD_CALLER();
  return FALSE;
}
__declspec(dllexport) DWORD WINAPI GetThemeAppProperties() {
  RECORD_CALLER();
  return 0;
}
__declspec(dllexport) HANDLE WINAPI OpenThemeData(HWND, LPCWSTR) {
  RECORD_CALLER();
  return nullptr;
}
__declspec(dllexport) HRESULT WINAPI CloseThemeData(HANDLE) {
  RECORD_CALLER();
  return E_FAIL;
}
__declspec(dllexport) HRESULT WINAPI
    DrawThemeBackground(HANDLE, HDC, int, int, const RECT*, const RECT*) {
  RECORD_CALLER();
  return E_FAIL;
}
__declspec(dllexport) HRESULT WINAPI DrawThemeParentBackground(HWND, HDC, const RECT*) {
  RECORD_CALLER();
  return E_FAIL;
}
__declspec(dllexport) BOOL WINAPI IsThemeBackgroundPartiallyTransparent(HANDLE, int, int) {
  RECORD_CALLER();
  return FALSE;
}

// version.dll's functions: no version information.
__declspec(dllexport) DWORD WINAPI GetFileVersionInfoSizeW(LPCWSTR, LPDWORD) {
  RECORD_CALLER();
  return 0;
}
__declspec(dllexport) BOOL WINAPI GetFileVersionInfoW(LPCWSTR, DWORD, DWORD, LPVOID) {
  RECORD_CALLER();
  return FALSE;
}
__declspec(dllexport) BOOL WINAPI VerQueryValueW(LPCVOID, LPCWSTR, LPVOID*, PUINT) {
  RECORD_CALLER();
  return FALSE;
}

}  // extern "C"
