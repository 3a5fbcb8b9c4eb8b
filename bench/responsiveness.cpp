// responsiveness-bench [FOLDERS] [TABLES_PER_FOLDER]
//
// How quickly the progress window answers the system while DoIt runs a large
// job: a watcher thread sends WM_NULL (as the system does to find hung
// windows) every 20 ms from the window's appearance to its end and times
// each round trip. Reports the number of samples, the 99th percentile and the
// slowest, and the job's own duration.
#include <windows.h>

#include <oleauto.h>  // after windows.h, which it needs

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "qesh_library.h"

namespace {

void WriteTable(const std::string& path) {
  std::uint8_t table[32 + 32 + 1 + 10 + 1] = {0x03};
  table[4] = 1;    // records
  table[8] = 65;   // header length
  table[10] = 10;  // record length
  table[28] = 1;   // index flag
  table[64] = 0x0D;
  table[sizeof table - 1] = 0x1A;
  HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) std::abort();
  DWORD written = 0;
  ::WriteFile(file, table, sizeof table, &written, nullptr);
  ::CloseHandle(file);
}

double Ms(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  ::QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
  const int folders = argc > 1 ? std::atoi(argv[1]) : 100;
  const int perFolder = argc > 2 ? std::atoi(argv[2]) : 100;

  const QeshLibrary library;
  if (!library.Loaded()) return 2;
  const QeshDoItProc doIt = library.DoItProc();

  char temp[MAX_PATH];
  ::GetTempPathA(MAX_PATH, temp);
  const std::string work = std::string(temp) + "qesh-responsiveness-bench\\";
  const std::string root = work + "TempLateTemp\\";
  ::CreateDirectoryA(work.c_str(), nullptr);
  ::CreateDirectoryA(root.c_str(), nullptr);
  for (int f = 0; f < folders; ++f) {
    const std::string sub = root + "F" + std::to_string(f) + "\\";
    ::CreateDirectoryA(sub.c_str(), nullptr);
    for (int t = 0; t < perFolder; ++t) WriteTable(sub + "T" + std::to_string(t) + ".DBF");
  }

  HWND host = ::CreateWindowExW(0, L"STATIC", L"bench host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                400, 300, nullptr, nullptr, nullptr, nullptr);
  std::vector<double> roundTrips;
  int timedOut = 0;
  std::atomic<bool> over{false};
  std::thread watcher([&] {
    HWND form = nullptr;
    while (!over && (form = ::FindWindowW(L"TForm_DeleteDBFIndex", nullptr)) == nullptr) {
      ::Sleep(5);
    }
    while (!over && ::IsWindow(form)) {
      LARGE_INTEGER start, stop;
      DWORD_PTR answer = 0;
      ::QueryPerformanceCounter(&start);
      const bool answered =
          ::SendMessageTimeoutW(form, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &answer) != 0;
      ::QueryPerformanceCounter(&stop);
      if (answered) {
        roundTrips.push_back(Ms(start, stop));
      } else if (::IsWindow(form)) {
        ++timedOut;  // no answer within 5 s
      }
      ::Sleep(20);
    }
  });
  LARGE_INTEGER start, stop;
  BSTR result = nullptr;
  ::QueryPerformanceCounter(&start);
  doIt(&result, host, work.c_str(), "D:\\src", 0);
  ::QueryPerformanceCounter(&stop);
  over = true;
  watcher.join();
  const bool ran = result != nullptr && std::wstring(result) != L"0";
  ::SysFreeString(result);

  for (int f = 0; f < folders; ++f) {
    const std::string sub = root + "F" + std::to_string(f) + "\\";
    for (int t = 0; t < perFolder; ++t)
      ::DeleteFileA((sub + "T" + std::to_string(t) + ".DBF").c_str());
    ::RemoveDirectoryA(sub.c_str());
  }
  ::RemoveDirectoryA(root.c_str());
  ::RemoveDirectoryA(work.c_str());
  ::DestroyWindow(host);
  if (!ran || roundTrips.empty()) return 1;

  std::sort(roundTrips.begin(), roundTrips.end());
  const double p99 = roundTrips[std::min(roundTrips.size() - 1, roundTrips.size() * 99 / 100)];
  std::printf("DoIt on %d tables: %.0f ms in all (1000 ms of it the start timer)\n",
              folders * perFolder, Ms(start, stop));
  std::printf(
      "WM_NULL round trips: %zu samples, 99th percentile %.2f ms, slowest %.2f ms "
      "(target: slowest <= 100 ms)\n",
      roundTrips.size(), p99, roundTrips.back());
  return 0;
}
