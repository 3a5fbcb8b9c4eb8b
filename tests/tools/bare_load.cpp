// bare-load.exe NAME : loads a library by its bare name, as the system's
// search order finds it (the program's own folder first), and calls its
// PlantedProbe. Exits 0 when it loaded. The control case of the
// planted-library test.
#include <windows.h>

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) return 2;
  const HMODULE module = ::LoadLibraryW(argv[1]);
  if (module == nullptr) return 1;
  const auto probe = reinterpret_cast<void(WINAPI*)()>(
      reinterpret_cast<void*>(::GetProcAddress(module, "PlantedProbe")));
  if (probe != nullptr) probe();
  return 0;
}
