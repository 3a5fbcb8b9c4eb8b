#include "window/thread_windows.h"

namespace window {
namespace {

struct Collect {
  HWND keep;
  std::vector<HWND>* windows;
};

BOOL CALLBACK CollectEnabled(HWND hwnd, LPARAM context) {
  auto* collect = reinterpret_cast<Collect*>(context);
  if (hwnd != collect->keep && ::IsWindowVisible(hwnd) && ::IsWindowEnabled(hwnd)) {
    try {
      collect->windows->push_back(hwnd);
    } catch (...) {
      // Out of memory: nothing unwinds through the system; the windows
      // collected so far are disabled and the others stay as they are.
      return FALSE;
    }
  }
  return TRUE;
}

}  // namespace

ThreadWindowsDisabled::ThreadWindowsDisabled(HWND keep) : previouslyActive_(::GetActiveWindow()) {
  Collect collect{keep, &disabled_};
  ::EnumThreadWindows(::GetCurrentThreadId(), CollectEnabled, reinterpret_cast<LPARAM>(&collect));
  for (HWND hwnd : disabled_) ::EnableWindow(hwnd, FALSE);
}

void ThreadWindowsDisabled::Add(HWND window) {
  if (!::IsWindowEnabled(window)) return;
  disabled_.push_back(window);
  ::EnableWindow(window, FALSE);
}

void ThreadWindowsDisabled::Release() {
  for (HWND hwnd : disabled_) {
    if (::IsWindow(hwnd)) ::EnableWindow(hwnd, TRUE);
  }
  disabled_.clear();
}

}  // namespace window
