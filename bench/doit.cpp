// doit-bench [CALLS]
//
// The wall time of DoIt on an empty template folder, less the window's
// 1000 ms start timer: the cost of creating, showing, running and destroying
// the window. Median over the calls.
#include <windows.h>

#include <oleauto.h>  // after windows.h, which it needs

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "qesh_library.h"

int main(int argc, char** argv) {
  const int calls = argc > 1 ? std::atoi(argv[1]) : 20;

  const QeshLibrary library;
  if (!library.Loaded()) return 2;
  const QeshDoItProc doIt = library.DoItProc();

  HWND host = ::CreateWindowExW(0, L"STATIC", L"bench host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                400, 300, nullptr, nullptr, nullptr, nullptr);
  char temp[MAX_PATH];
  ::GetTempPathA(MAX_PATH, temp);
  const std::string work = std::string(temp) + "qesh-doit-bench\\";
  ::CreateDirectoryA(work.c_str(), nullptr);
  ::CreateDirectoryA((work + "TempLateTemp").c_str(), nullptr);

  LARGE_INTEGER frequency;
  ::QueryPerformanceFrequency(&frequency);
  std::vector<double> overheadMs;
  for (int call = 0; call < calls; ++call) {
    BSTR result = nullptr;
    LARGE_INTEGER start, stop;
    ::QueryPerformanceCounter(&start);
    doIt(&result, host, work.c_str(), "D:\\src", 0);
    ::QueryPerformanceCounter(&stop);
    const bool ran = result != nullptr && std::wstring(result) != L"0";
    ::SysFreeString(result);
    if (!ran) return 1;
    overheadMs.push_back(1000.0 * static_cast<double>(stop.QuadPart - start.QuadPart) /
                             static_cast<double>(frequency.QuadPart) -
                         1000.0);
  }
  std::sort(overheadMs.begin(), overheadMs.end());
  std::printf("DoIt on an empty template folder, less the 1000 ms timer, %d calls:\n", calls);
  std::printf("median %.1f ms (min %.1f, max %.1f; target <= 30 ms)\n",
              overheadMs[overheadMs.size() / 2], overheadMs.front(), overheadMs.back());
  ::RemoveDirectoryA((work + "TempLateTemp").c_str());
  ::RemoveDirectoryA(work.c_str());
  ::DestroyWindow(host);
  return 0;
}
