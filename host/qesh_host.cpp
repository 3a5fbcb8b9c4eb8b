// qesh-host.exe [WORK_FOLDER] [DATA_SOURCE_PATH]
//
// A sample host: a program with a top-level window of its own that loads the
// library as hosts do (LoadLibrary, GetProcAddress), calls DoIt with its
// window, prints the result, frees the string and the library. Exits 0 when
// the job ran, 1 when the window was closed first ("0"), 2 on a load failure.
#include <windows.h>

#include <oleauto.h>  // after windows.h, which it needs

#include <cstdio>
#include <string>

#include "qesh_library.h"

namespace {

LRESULT CALLBACK HostWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

HWND CreateHostWindow() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = HostWindowProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = L"QeshSampleHost";
  ::RegisterClassW(&wc);
  HWND hwnd = ::CreateWindowExW(0, L"QeshSampleHost", L"qesh sample host", WS_OVERLAPPEDWINDOW, 40,
                                40, 640, 400, nullptr, nullptr, wc.hInstance, nullptr);
  ::ShowWindow(hwnd, SW_SHOW);
  ::UpdateWindow(hwnd);
  return hwnd;
}

std::string Utf8(const wchar_t* text, UINT length) {
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0,
                                         nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(size), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), utf8.data(), size, nullptr,
                        nullptr);
  return utf8;
}

}  // namespace

int main(int argc, char** argv) {
  const char* workFolder = argc > 1 ? argv[1] : "";
  const char* dataSource = argc > 2 ? argv[2] : "";

  QeshLibrary library;
  if (!library.HasModule()) {
    std::fprintf(stderr, "qesh-host: cannot load the library (error %lu)\n", library.LoadError());
    return 2;
  }
  const QeshDoItProc doIt = library.DoItProc();
  if (doIt == nullptr) {
    std::fprintf(stderr, "qesh-host: the library has no DoIt\n");
    return 2;
  }

  HWND hostWindow = CreateHostWindow();
  BSTR result = nullptr;
  doIt(&result, hostWindow, workFolder, dataSource, 0);
  const std::string text = Utf8(result, ::SysStringLen(result));
  std::printf("result: %s\n", text.c_str());
  std::fflush(stdout);
  const bool ran = text != "0";
  ::SysFreeString(result);
  ::DestroyWindow(hostWindow);
  return ran ? 0 : 1;
}
