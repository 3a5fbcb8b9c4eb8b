// Disabling the calling thread's top-level windows for the time a modal
// window or an error box is up, and handing activation back afterwards.
#pragma once

#include <windows.h>

#include <vector>

namespace window {

class ThreadWindowsDisabled {
 public:
  // Disables every visible, enabled top-level window of the calling thread
  // except `keep`, and remembers them and the active window.
  explicit ThreadWindowsDisabled(HWND keep = nullptr);
  // Re-enables the remembered windows that still exist.
  ~ThreadWindowsDisabled();
  ThreadWindowsDisabled(const ThreadWindowsDisabled&) = delete;
  ThreadWindowsDisabled& operator=(const ThreadWindowsDisabled&) = delete;

  // The window that was active when the windows were disabled.
  HWND previouslyActive() const { return previouslyActive_; }

 private:
  std::vector<HWND> disabled_;
  HWND previouslyActive_;
};

}  // namespace window
