// record-host.exe: a host window in a process of its own. It writes its
// window's handle (decimal) as its first line on standard output, counts the
// owner-change messages (0xB020) the window receives, answers that count to
// WM_APP, and ends when the window is closed.
#include <windows.h>

#include <cstdio>

namespace {

LRESULT g_ownerMessages = 0;

LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case 0xB020:
      ++g_ownerMessages;
      return 0;
    case WM_APP:
      return g_ownerMessages;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    default:
      return ::DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

}  // namespace

int main() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = Procedure;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = L"QeshRecordHost";
  if (!::RegisterClassW(&wc)) return 1;
  const HWND hwnd = ::CreateWindowExW(0, wc.lpszClassName, L"record host", WS_OVERLAPPEDWINDOW, 60,
                                      60, 400, 300, nullptr, nullptr, wc.hInstance, nullptr);
  if (hwnd == nullptr) return 1;
  ::ShowWindow(hwnd, SW_SHOW);
  std::printf("%lld\n", static_cast<long long>(reinterpret_cast<INT_PTR>(hwnd)));
  std::fflush(stdout);
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) ::DispatchMessageW(&message);
  return 0;
}
