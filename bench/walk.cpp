// walk-bench FOLDERS TABLES_PER_FOLDER ROUNDS [mdx]
//   Times ScanFolder as the progress window runs it (tables counted first,
//   progress reported after each table) over a fresh template tree (each
//   table with an .MDX and a .CDX, or with only an .MDX) against two floors:
//   the written calls (a FindFirstFile walk that asks for each index file by
//   its name) and the listing floor (every name from one listing of its
//   folder; per table open, read the header, write byte 28, close; the
//   index files the listing showed deleted by their listed names). Rounds
//   are interleaved; medians are reported, with the peak working set the
//   walk itself reached.
// walk-bench marginal ROUNDS
//   One folder of 1,000 and one of 5,000 tables with only an .MDX each: the
//   cost of each further table, ScanFolder against the listing floor.
// walk-bench memory FOLDERS TABLES_PER_FOLDER [mdx]
//   The peak working set of one ScanFolder over such a tree, no floors.
// walk-bench memory-of TEMPLATE_FOLDER TABLES
//   The same over a tree made beforehand (scripts/lib/make_bench_tree.py),
//   which must hold TABLES tables: Wine makes each file of a large folder in
//   time that grows with the folder.
#include <windows.h>

#include <psapi.h>  // after windows.h, which it needs

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <unordered_map>
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

struct Tree {
  int folders;
  int tablesPerFolder;
  bool withCdx;
  int Tables() const { return folders * tablesPerFolder; }
};

void MakeTree(const std::wstring& root, const Tree& tree) {
  const auto table = ModelTable();
  const std::vector<std::uint8_t> index(512, 0x5A);
  ::CreateDirectoryW(root.c_str(), nullptr);
  for (int f = 0; f < tree.folders; ++f) {
    const std::wstring folder = root + L"F" + std::to_wstring(f) + L"\\";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    for (int t = 0; t < tree.tablesPerFolder; ++t) {
      const std::wstring base = folder + L"T" + std::to_wstring(t);
      WriteWholeFile(base + L".DBF", table);
      WriteWholeFile(base + L".MDX", index);
      if (tree.withCdx) WriteWholeFile(base + L".CDX", index);
    }
  }
}

// Clears byte 28 of the table at `path`, as every floor does.
void PatchTable(const std::wstring& path) {
  HANDLE file =
      ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  LARGE_INTEGER size;
  std::uint8_t header[32];
  DWORD read = 0, written = 0;
  ::GetFileSizeEx(file, &size);
  ::ReadFile(file, header, 32, &read, nullptr);
  const std::uint8_t flags = header[28] & 0xFE;
  ::SetFilePointer(file, 28, nullptr, FILE_BEGIN);
  ::WriteFile(file, &flags, 1, &written, nullptr);
  ::CloseHandle(file);
}

// The written calls' floor: the walk's calls of old, inline, each index file
// asked for by its name.
void WrittenFloor(const std::wstring& folder) {
  WIN32_FIND_DATAW entry;
  HANDLE find = ::FindFirstFileW((folder + L"*.*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const DWORD attributes = entry.dwFileAttributes;
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) continue;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (entry.cFileName[0] != L'.') WrittenFloor(folder + entry.cFileName + L"\\");
      continue;
    }
    const std::wstring name = entry.cFileName;
    if (!tables::IsTableName(std::wstring_view(name))) continue;
    const std::wstring path = folder + name;
    const DWORD tableAttributes = ::GetFileAttributesW(path.c_str());
    if (tableAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) continue;
    PatchTable(path);
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

std::wstring Upper(std::wstring name) {
  for (wchar_t& c : name) c = tables::AsciiUpper(c);
  return name;
}

// The listing floor: each folder listed once, every name taken from that
// listing; nothing asked for that the listing did not show.
void ListingFloor(const std::wstring& folder) {
  std::vector<std::wstring> folderNames, listed;
  WIN32_FIND_DATAW entry;
  HANDLE find = ::FindFirstFileExW((folder + L"*").c_str(), FindExInfoBasic, &entry,
                                   FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = entry.cFileName;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) continue;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (name != L"." && name != L"..") folderNames.push_back(name);
    } else {
      listed.push_back(name);
    }
  } while (::FindNextFileW(find, &entry));
  ::FindClose(find);
  std::unordered_map<std::wstring, std::wstring> indexFiles;  // upper-cased: as listed
  for (const std::wstring& name : listed) {
    const std::wstring upper = Upper(name);
    const std::wstring_view ext = tables::ExtensionOf(std::wstring_view(upper));
    if (ext == L".MDX" || ext == L".CDX") indexFiles.emplace(upper, name);
  }
  for (const std::wstring& name : listed) {
    if (!tables::IsTableName(std::wstring_view(name))) continue;
    PatchTable(folder + name);
    const std::wstring base = Upper(name.substr(0, name.size() - 4));
    for (const wchar_t* suffix : {L".MDX", L".CDX"}) {
      const auto index = indexFiles.find(base + suffix);
      if (index != indexFiles.end()) ::DeleteFileW((folder + index->second).c_str());
    }
  }
  for (const std::wstring& name : folderNames) ListingFloor(folder + name + L"\\");
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

// ScanFolder with progress over `folder`, which must hold `tables` tables.
void ScanAll(const std::string& folder, int tables) {
  std::size_t reported = 0;
  tables::ScanFolder(folder, [&reported](std::size_t done, std::size_t) { reported = done; });
  if (reported != static_cast<std::size_t>(tables)) std::abort();
}

class Bench {
 public:
  Bench() {
    wchar_t temp[MAX_PATH + 1];
    ::GetTempPathW(MAX_PATH + 1, temp);
    work_ = tables::ExtendedPath(std::wstring(temp) + L"qesh-walk-bench\\");
    testing_support::RemoveTree(work_);
    ::CreateDirectoryW(work_.c_str(), nullptr);
    root_ = work_ + L"TempLateTemp\\";
  }
  ~Bench() { testing_support::RemoveTree(work_); }

  // The seconds `walk` takes over a fresh `tree`.
  double Time(const Tree& tree, const std::function<void(const std::wstring&)>& walk) {
    MakeTree(root_, tree);
    LARGE_INTEGER start, stop;
    ::QueryPerformanceCounter(&start);
    walk(root_);
    ::QueryPerformanceCounter(&stop);
    testing_support::RemoveTree(root_);
    return Seconds(start, stop);
  }

  static void Scan(const std::wstring& root, int tables) {
    ScanAll(std::string(root.begin() + 4, root.end()), tables);  // plain ASCII temp path
  }

 private:
  std::wstring work_;
  std::wstring root_;
};

int Marginal(int rounds) {
  Bench bench;
  const Tree small{1, 1000, false}, large{1, 5000, false};
  std::vector<double> scanSmall, scanLarge, floorSmall, floorLarge;
  for (int round = 0; round < rounds; ++round) {
    scanSmall.push_back(bench.Time(small, [](const std::wstring& r) { Bench::Scan(r, 1000); }));
    floorSmall.push_back(bench.Time(small, ListingFloor));
    scanLarge.push_back(bench.Time(large, [](const std::wstring& r) { Bench::Scan(r, 5000); }));
    floorLarge.push_back(bench.Time(large, ListingFloor));
  }
  const double scanPer = (Median(scanLarge) - Median(scanSmall)) / 4000 * 1000;
  const double floorPer = (Median(floorLarge) - Median(floorSmall)) / 4000 * 1000;
  std::printf("one folder, only .MDX, rounds: %d\n", rounds);
  std::printf("ScanFolder:    %.3f s at 1,000, %.3f s at 5,000 tables: %.3f ms per further table\n",
              Median(scanSmall), Median(scanLarge), scanPer);
  std::printf("listing floor: %.3f s at 1,000, %.3f s at 5,000 tables: %.3f ms per further table\n",
              Median(floorSmall), Median(floorLarge), floorPer);
  std::printf("marginal cost, ScanFolder / listing floor: %.2f (target <= 1.3)\n",
              scanPer / floorPer);
  return 0;
}

int MemoryOf(const char* folder, int tables) {
  const std::size_t before = PeakWorkingSetKiB();
  LARGE_INTEGER start, stop;
  ::QueryPerformanceCounter(&start);
  ScanAll(folder, tables);
  ::QueryPerformanceCounter(&stop);
  std::printf(
      "%d tables in %s: ScanFolder %.3f s, peak working set %zu KiB before, %zu KiB after\n",
      tables, folder, Seconds(start, stop), before, PeakWorkingSetKiB());
  return 0;
}

int Memory(const Tree& tree) {
  Bench bench;
  const std::size_t before = PeakWorkingSetKiB();
  const int tables = tree.Tables();
  const double seconds =
      bench.Time(tree, [tables](const std::wstring& r) { Bench::Scan(r, tables); });
  std::printf(
      "%d tables (%d folders x %d, %s): ScanFolder %.3f s, peak working set %zu KiB "
      "before, %zu KiB after\n",
      tables, tree.folders, tree.tablesPerFolder, tree.withCdx ? ".MDX and .CDX" : "only .MDX",
      seconds, before, PeakWorkingSetKiB());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "marginal") == 0) {
    return Marginal(argc > 2 ? std::atoi(argv[2]) : 3);
  }
  if (argc > 3 && std::strcmp(argv[1], "memory-of") == 0) {
    return MemoryOf(argv[2], std::atoi(argv[3]));
  }
  if (argc > 3 && std::strcmp(argv[1], "memory") == 0) {
    return Memory(
        {std::atoi(argv[2]), std::atoi(argv[3]), !(argc > 4 && std::strcmp(argv[4], "mdx") == 0)});
  }
  const Tree tree{argc > 1 ? std::atoi(argv[1]) : 100, argc > 2 ? std::atoi(argv[2]) : 100,
                  !(argc > 4 && std::strcmp(argv[4], "mdx") == 0)};
  const int rounds = argc > 3 ? std::atoi(argv[3]) : 5;
  const int tables = tree.Tables();

  Bench bench;
  std::vector<double> scan, count, written, listing;
  std::size_t peakBefore = 0, peakAfter = 0;
  for (int round = 0; round < rounds; ++round) {
    if (round == 0) peakBefore = PeakWorkingSetKiB();
    scan.push_back(bench.Time(tree, [tables](const std::wstring& r) { Bench::Scan(r, tables); }));
    if (round == 0) peakAfter = PeakWorkingSetKiB();  // before any floor ran
    count.push_back(bench.Time(tree, [](const std::wstring& r) { tables::CountTables(r); }));
    written.push_back(bench.Time(tree, WrittenFloor));
    listing.push_back(bench.Time(tree, ListingFloor));
  }

  std::printf("tables: %d (%d folders x %d, %s), rounds: %d\n", tables, tree.folders,
              tree.tablesPerFolder, tree.withCdx ? ".MDX and .CDX" : "only .MDX", rounds);
  std::printf("ScanFolder with progress: %.0f tables/s (median %.3f s)\n", tables / Median(scan),
              Median(scan));
  std::printf("of which the count:        median %.3f s\n", Median(count));
  std::printf("written calls' floor:     %.0f tables/s (median %.3f s)\n", tables / Median(written),
              Median(written));
  std::printf("listing floor:            %.0f tables/s (median %.3f s)\n", tables / Median(listing),
              Median(listing));
  std::printf("ScanFolder time / written calls' floor: %.2f (target <= 0.8)\n",
              Median(scan) / Median(written));
  std::printf("ScanFolder time / listing floor:        %.2f (target <= 1.0)\n",
              Median(scan) / Median(listing));
  std::printf("peak working set: %zu KiB after making the tree, %zu KiB after the first walk\n",
              peakBefore, peakAfter);
  return 0;
}
