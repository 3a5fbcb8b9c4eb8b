#include "window/accessible_view.h"

namespace window {

UINT AccessibleViewMessage() {
  return ::RegisterWindowMessageW(L"qesh_deleteIndex_dbf accessible view");
}

bool ReadAccessibleView(HWND window, AccessibleView& view) {
  const UINT message = AccessibleViewMessage();
  DWORD_PTR answer = 0;
  // A window that takes no messages for a while is taken for gone.
  return message != 0 &&
         ::SendMessageTimeoutW(window, message, 0, reinterpret_cast<LPARAM>(&view),
                               SMTO_BLOCK | SMTO_ABORTIFHUNG, 10000, &answer) != 0 &&
         static_cast<LRESULT>(answer) == kViewGiven;
}

}  // namespace window
