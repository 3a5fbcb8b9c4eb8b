#include "window/accessible_view.h"

#include <cstdint>

namespace window {
namespace {

// A number of this process, made as the library loads: its own address
// (where the library was loaded), the time and the process.
std::uintptr_t MakeKey() {
  LARGE_INTEGER now{};
  ::QueryPerformanceCounter(&now);
  std::uintptr_t key = reinterpret_cast<std::uintptr_t>(&MakeKey);
  key ^= static_cast<std::uintptr_t>(now.QuadPart) * 0x9E3779B1u;
  key ^= static_cast<std::uintptr_t>(::GetCurrentProcessId()) << 7;
  return key;
}
const std::uintptr_t g_key = MakeKey();

}  // namespace

AccessibleView* RequestedView(WPARAM wParam, LPARAM lParam) {
  if (lParam == 0 ||
      (static_cast<std::uintptr_t>(wParam) ^ static_cast<std::uintptr_t>(lParam)) != g_key) {
    return nullptr;
  }
  return reinterpret_cast<AccessibleView*>(lParam);
}

UINT AccessibleViewMessage() {
  return ::RegisterWindowMessageW(L"qesh_deleteIndex_dbf accessible view");
}

bool ReadAccessibleView(HWND window, AccessibleView& view) {
  const UINT message = AccessibleViewMessage();
  DWORD_PTR answer = 0;
  // A window that takes no messages for a while is taken for gone.
  return message != 0 &&
         ::SendMessageTimeoutW(window, message, g_key ^ reinterpret_cast<std::uintptr_t>(&view),
                               reinterpret_cast<LPARAM>(&view), SMTO_BLOCK | SMTO_ABORTIFHUNG,
                               10000, &answer) != 0 &&
         static_cast<LRESULT>(answer) == kViewGiven;
}

}  // namespace window
