// Watches the host's own thread while DoIt runs on it: every message its
// loops take (before it is dispatched, so the handler has not run yet) and
// every message sent to its windows. The callbacks run on that thread, in
// step with the window, so a test can act at the exact moment the window
// reaches a state instead of sleeping and hoping.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>

namespace testing_support {

using Clock = std::chrono::steady_clock;

class HostThreadHooks {
 public:
  // `taken` may change the message (WM_NULL holds it back); either callback
  // may be empty. Installed for the calling thread until destruction.
  HostThreadHooks(std::function<void(MSG&)> taken, std::function<void(const CWPSTRUCT&)> sent);
  ~HostThreadHooks();
  HostThreadHooks(const HostThreadHooks&) = delete;
  HostThreadHooks& operator=(const HostThreadHooks&) = delete;

  bool Installed() const { return installed_; }

 private:
  static LRESULT CALLBACK Taken(int code, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK Sent(int code, WPARAM wParam, LPARAM lParam);

  std::function<void(MSG&)> onTaken_;
  std::function<void(const CWPSTRUCT&)> onSent_;
  HostThreadHooks* previous_;
  HHOOK taken_ = nullptr;
  HHOOK sent_ = nullptr;
  bool installed_ = false;
};

// Hooks that run `action` on the host's thread as the progress window is
// shown, before the window handles it. A message posted from there is taken
// before the window's start timer, however late any thread gets to run: a
// close or a quit "in the window's first second" for certain.
HostThreadHooks WhenShown(std::function<void(HWND form)> action);

// The progress window when `hwnd` is it.
bool IsProgressWindow(HWND hwnd);

// True when `message` shows `hwnd` (a window position change that shows it).
bool Shows(const CWPSTRUCT& message);

// True when the window and every window inside it have nothing left to paint.
bool FullyPainted(HWND window);

}  // namespace testing_support
