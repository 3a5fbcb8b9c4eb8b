#include "entry/owner_handover.h"

#include "win/thread_window.h"

namespace entry {
namespace {

thread_local HWND g_applicationOwner = nullptr;

// The library application's settings-change handler: asked by the host's
// framework for each message of its main window, it handles none (false).
// On i686 the framework passes the object in EAX and the message in EDX and
// reads the answer from AL: gcc's regparm(3) gives exactly that.
#if defined(__i386__)
#define QESH_FRAMEWORK_CALL __attribute__((regparm(3)))
#else
#define QESH_FRAMEWORK_CALL
#endif

struct LibraryApplication {
  int unused = 0;
};
LibraryApplication g_application;

bool QESH_FRAMEWORK_CALL SettingsChangeHandler(void* /*self*/, TMessage* /*message*/) {
  return false;
}

// Static storage: valid until after the last "unhook" message has been sent.
SettingsChangeHook g_hook{reinterpret_cast<void*>(&SettingsChangeHandler), &g_application};

void Announce(HWND window, WPARAM lost) {
  if (!win::IsThreadWindow(window)) return;
  ::SendMessageW(window, kOwnerChangeMessage, lost, reinterpret_cast<LPARAM>(&g_hook));
}

void ChangeOwner(HWND to) {
  const HWND from = g_applicationOwner;
  if (from == to) return;
  g_applicationOwner = to;
  Announce(from, 1);
  Announce(to, 0);
}

}  // namespace

HWND ApplicationOwner() { return g_applicationOwner; }

OwnerHandover::OwnerHandover(HWND host) : previous_(g_applicationOwner) { ChangeOwner(host); }

OwnerHandover::~OwnerHandover() { ChangeOwner(previous_); }

}  // namespace entry
