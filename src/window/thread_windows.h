// Disabling the calling thread's top-level windows for the time a modal
// window or an error box is up, and handing them back afterwards.
#pragma once

#include <windows.h>

#include <vector>

namespace window {

class ThreadWindowsDisabled {
 public:
  // Disables every visible, enabled top-level window of the calling thread
  // except `keep`, and remembers them and the active window.
  explicit ThreadWindowsDisabled(HWND keep = nullptr);
  // Enables them again (see Release).
  ~ThreadWindowsDisabled() { Release(); }
  ThreadWindowsDisabled(const ThreadWindowsDisabled&) = delete;
  ThreadWindowsDisabled& operator=(const ThreadWindowsDisabled&) = delete;

  // Disables `window` too, when it is enabled, and enables it again with
  // the others.
  void Add(HWND window);

  // Re-enables the remembered windows that still exist; later calls do
  // nothing.
  void Release();

  // The window that was active when the windows were disabled.
  HWND PreviouslyActive() const { return previouslyActive_; }

 private:
  std::vector<HWND> disabled_;
  HWND previouslyActive_;
};

}  // namespace window
