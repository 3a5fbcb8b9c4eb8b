// scan-folder.exe FOLDER\ : detaches every table below FOLDER (an 8-bit path,
// as a host passes it). Used by the tests that work on whole trees from
// outside: the corpus round trip and the crash-safety runs. Prints "walking"
// as the walk starts, the number of tables done after each table, and
// "walked" when it ends, so that a caller can time the walk itself, apart
// from the program's start, and stop it after a chosen number of tables.
#include <cstddef>
#include <cstdio>
#include <new>

#include "tables/template_walk.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: scan-folder FOLDER\\\n");
    return 2;
  }
  try {
    std::printf("walking\n");
    std::fflush(stdout);
    tables::ScanFolder(argv[1], [](std::size_t done, std::size_t) {
      if (done == 0) return;
      std::printf("%zu\n", done);
      std::fflush(stdout);
    });
    std::printf("walked\n");
    std::fflush(stdout);
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "scan-folder: out of memory\n");
    return 1;
  }
  return 0;
}
