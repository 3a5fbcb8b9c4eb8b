// The host's result slot: a BSTR variable the host owns, holding null or a
// string of the system's string allocator on entry, and a string the host can
// free on every way out.
#pragma once

#include <windows.h>

#include <oleauto.h>  // after windows.h, which it needs

#include <string_view>

namespace entry {

using Reallocate = INT(WINAPI*)(BSTR*, const OLECHAR*, unsigned int);

// Reallocates the slot's string to hold `value`. When that fails the slot
// keeps its string, untouched, and the answer is false.
bool StoreResult(BSTR* slot, std::wstring_view value,
                 Reallocate reallocate = ::SysReAllocStringLen) noexcept;

// The "0" a call starts with. When even that cannot be stored, the old
// string is freed and the slot holds null: the call then does nothing, and a
// null result tells the host that nothing could be reported.
bool StoreNothingDone(BSTR* slot, Reallocate reallocate = ::SysReAllocStringLen) noexcept;

}  // namespace entry
