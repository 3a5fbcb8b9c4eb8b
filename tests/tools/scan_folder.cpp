// scan-folder.exe FOLDER\ [HOLD_FROM]: detaches every table below FOLDER (an
// 8-bit path, as a host passes it). Used by the tests that work on whole trees
// from outside: the corpus round trip and the crash-safety runs. Prints
// "walking" as the walk starts, the number of tables done after each table,
// and "walked" when it ends, so that a caller can time the walk itself, apart
// from the program's start. From the HOLD_FROM-th table on, it waits after
// each table until a line comes on its standard input (or it ends), so that
// a caller can stop it inside a chosen table, however fast the walk is.
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <new>

#include "tables/template_walk.h"

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: scan-folder FOLDER\\ [HOLD_FROM]\n");
    return 2;
  }
  const std::size_t holdFrom = argc == 3 ? std::strtoul(argv[2], nullptr, 10) : 0;
  try {
    std::printf("walking\n");
    std::fflush(stdout);
    tables::ScanFolder(argv[1], [holdFrom](std::size_t done, std::size_t) {
      if (done == 0) return;
      std::printf("%zu\n", done);
      std::fflush(stdout);
      char line[8];
      if (holdFrom != 0 && done >= holdFrom) std::fgets(line, sizeof line, stdin);
    });
    std::printf("walked\n");
    std::fflush(stdout);
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "scan-folder: out of memory\n");
    return 1;
  }
  return 0;
}
