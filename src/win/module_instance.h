// The module (DLL or program) this code is linked into: window classes and
// the glyph resource belong to it, not to the process's main program.
#pragma once

#include <windows.h>

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace win {

inline HINSTANCE ThisModule() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

}  // namespace win
