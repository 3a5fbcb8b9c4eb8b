// bare-load.exe NAME : loads a library by its bare name, as the system's
// search order finds it (the program's own folder first). Exits 0 when it
// loaded. The control case of the planted-library test.
#include <windows.h>

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) return 2;
  return ::LoadLibraryW(argv[1]) != nullptr ? 0 : 1;
}
