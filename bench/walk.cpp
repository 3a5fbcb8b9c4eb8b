// walk-bench [FOLDERS] [TABLES_PER_FOLDER] [ROUNDS]
//
// Times ScanFolder as the progress window runs it (tables counted first,
// progress reported after each table) over a fresh template tree (each table
// with an .MDX and a .CDX) against the floor: the same Win32 calls written
// inline, with no counting. Rounds are interleaved; the median of each is
// reported, with the peak working set.
#include <windows.h>

#include <psapi.h>  // after windows.h, which it needs

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tables/table_rules.h"
#include "tables/template_walk.h"
#include "tables/wide_path.h"
#include "temp_folder.h"

namespace {

std::vector<std::uint8_t> ModelTable() {
  std::vector<std::uint8_t> t(32 + 32 + 1 + 2 * 10 + 1, 0);
  t[0] = 0x03;
  t[4] = 2;      // records
  t[8] = 65;     // header length
  t[10] = 10;    // record length
  t[28] = 0x01;  // index flag
  t[32] = 'N';
  t[43] = 'C';
  t[48] = 9;
  t[64] = 0x0D;
  t.back() = 0x1A;
  return t;
}

void WriteWholeFile(const std::wstring& path, const std::vector<std::uint8_t>& bytes) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) std::abort();
  DWORD written = 0;
  ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  ::CloseHandle(file);
}

void MakeTree(const std::wstring& root, int folders, int tablesPerFolder) {
  const auto table = ModelTable();
  const std::vector<std::uint8_t> index(512, 0x5A);
  ::CreateDirectoryW(root.c_str(), nullptr);
  for (int f = 0; f < folders; ++f) {
    const std::wstring folder = root + L"F" + std::to_wstring(f) + L"\\";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    for (int t = 0; t < tablesPerFolder; ++t) {
      const std::wstring base = folder + L"T" + std::to_wstring(t);
      WriteWholeFile(base + L".DBF", table);
      WriteWholeFile(base + L".MDX", index);
      WriteWholeFile(base + L".CDX", index);
    }
  }
}

// The floor: the walk's Win32 calls, inline, with no abstraction around them.
void FloorFolder(const std::wstring& folder) {
  WIN32_FIND_DATAW entry;
  HANDLE find = ::FindFirstFileW((folder + L"*.*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const DWORD attributes = entry.dwFileAttributes;
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) continue;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (entry.cFileName[0] != L'.') FloorFolder(folder + entry.cFileName + L"\\");
      continue;
    }
    const std::wstring name = entry.cFileName;
    if (!tables::IsTableName(std::wstring_view(name))) continue;
    const std::wstring path = folder + name;
    const DWORD tableAttributes = ::GetFileAttributesW(path.c_str());
    if (tableAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) continue;
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) continue;
    LARGE_INTEGER size;
    std::uint8_t header[32];
    DWORD read = 0, written = 0;
    ::GetFileSizeEx(file, &size);
    ::ReadFile(file, header, 32, &read, nullptr);
    const std::uint8_t flags = header[28] & 0xFE;
    ::SetFilePointer(file, 28, nullptr, FILE_BEGIN);
    ::WriteFile(file, &flags, 1, &written, nullptr);
    ::CloseHandle(file);
    const std::wstring base = path.substr(0, path.size() - 4);
    for (const wchar_t* suffix : {L".mdx", L".cdx"}) {
      const std::wstring companion = base + suffix;
      const DWORD a = ::GetFileAttributesW(companion.c_str());
      if (a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY)) {
        ::DeleteFileW(companion.c_str());
      }
    }
  } while (::FindNextFileW(find, &entry));
  ::FindClose(find);
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  ::QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) / frequency.QuadPart;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

std::size_t PeakWorkingSetKiB() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
  return counters.PeakWorkingSetSize / 1024;
}

}  // namespace

int main(int argc, char** argv) {
  const int folders = argc > 1 ? std::atoi(argv[1]) : 100;
  const int perFolder = argc > 2 ? std::atoi(argv[2]) : 100;
  const int rounds = argc > 3 ? std::atoi(argv[3]) : 5;
  const int tables = folders * perFolder;

  wchar_t temp[MAX_PATH + 1];
  ::GetTempPathW(MAX_PATH + 1, temp);
  const std::wstring work = tables::ExtendedPath(std::wstring(temp) + L"qesh-walk-bench\\");
  testing_support::RemoveTree(work);
  ::CreateDirectoryW(work.c_str(), nullptr);
  const std::wstring root = work + L"TempLateTemp\\";
  std::string hostRoot(root.begin() + 4, root.end());  // plain ASCII temp path

  std::vector<double> scan, floor;
  std::size_t peakBeforeWalks = 0;
  for (int round = 0; round < rounds; ++round) {
    LARGE_INTEGER start, stop;
    MakeTree(root, folders, perFolder);
    if (round == 0) peakBeforeWalks = PeakWorkingSetKiB();
    ::QueryPerformanceCounter(&start);
    std::size_t reported = 0;
    tables::ScanFolder(hostRoot, [&reported](std::size_t done, std::size_t) { reported = done; });
    if (reported != static_cast<std::size_t>(tables)) std::abort();
    ::QueryPerformanceCounter(&stop);
    scan.push_back(Seconds(start, stop));
    testing_support::RemoveTree(root);

    MakeTree(root, folders, perFolder);
    ::QueryPerformanceCounter(&start);
    FloorFolder(root);
    ::QueryPerformanceCounter(&stop);
    floor.push_back(Seconds(start, stop));
    testing_support::RemoveTree(root);
  }
  testing_support::RemoveTree(work);

  const double scanRate = tables / Median(scan);
  const double floorRate = tables / Median(floor);
  std::printf("tables: %d (%d folders x %d), rounds: %d\n", tables, folders, perFolder, rounds);
  std::printf("ScanFolder with progress: %.0f tables/s (median %.3f s)\n", scanRate, Median(scan));
  std::printf("floor:      %.0f tables/s (median %.3f s)\n", floorRate, Median(floor));
  std::printf("ratio (floor rate / ScanFolder rate): %.3f (target <= 1.10)\n",
              floorRate / scanRate);
  std::printf("peak working set: %zu KiB after making the tree, %zu KiB after the walks\n",
              peakBeforeWalks, PeakWorkingSetKiB());
  return 0;
}
