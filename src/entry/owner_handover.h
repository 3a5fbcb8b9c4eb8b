// The library application's owner window: the window that owns every
// top-level window the library creates. Each thread has its own: DoIt hands
// the calling thread's owner to the host's window for the call and back
// afterwards, so calls on several threads, ending in any order, never touch
// each other's owner. Each change is announced to the window losing the
// library (message 0xB020, wParam 1) and to the one gaining it (wParam 0), so
// that a host built on the same window framework can hook the library's
// settings-change handler into its own window's messages, and unhook it.
// Only windows of the calling thread are told: one of another thread might
// not answer (the call never waits for it), and one of another process could
// not use the record's address. Such a window still owns the library's.
#pragma once

#include <windows.h>

namespace entry {

inline constexpr UINT kOwnerChangeMessage = 0xB020;

// A message as the host's framework hands it to the handler.
struct TMessage {
  UINT Msg;
  WPARAM wParam;
  LPARAM lParam;
  LRESULT Result;
};

// What lParam of the owner-change message points to: the handler's code
// address, then the object it belongs to.
struct SettingsChangeHook {
  void* code;
  void* data;
};

// The calling thread's current owner window.
HWND ApplicationOwner();

// Makes `host` the owner for the lifetime of this object, then gives back the
// owner that was there before, on every path.
class OwnerHandover {
 public:
  explicit OwnerHandover(HWND host);
  ~OwnerHandover();
  OwnerHandover(const OwnerHandover&) = delete;
  OwnerHandover& operator=(const OwnerHandover&) = delete;

 private:
  HWND previous_;
};

}  // namespace entry
