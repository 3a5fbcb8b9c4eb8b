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
    collect->windows->push_back(hwnd);
  }
  return TRUE;
}

}  // namespace

ThreadWindowsDisabled::ThreadWindowsDisabled(HWND keep) : previouslyActive_(::GetActiveWindow()) {
  Collect collect{keep, &disabled_};
  ::EnumThreadWindows(::GetCurrentThreadId(), CollectEnabled, reinterpret_cast<LPARAM>(&collect));
  for (HWND hwnd : disabled_) ::EnableWindow(hwnd, FALSE);
}

ThreadWindowsDisabled::~ThreadWindowsDisabled() {
  for (HWND hwnd : disabled_) {
    if (::IsWindow(hwnd)) ::EnableWindow(hwnd, TRUE);
  }
}

}  // namespace window
