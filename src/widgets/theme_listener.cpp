#include "widgets/theme_listener.h"

#include <atomic>

#include "win/exclusive_lock.h"

namespace widgets {
namespace {

// One hooked window. A window stays here while the listener is in its chain:
// `calls` counts the calls listening now; with none left the listener is
// inert (it only passes messages on).
struct Hooked {
  HWND window = nullptr;
  WNDPROC previous = nullptr;
  bool unicode = true;  // the window's character set, for the chain
  int calls = 0;
};

// Nested calls and a few host windows at most: a small fixed table, so the
// window procedure never allocates.
constexpr int kMaxHooked = 16;
Hooked g_hooked[kMaxHooked];
SRWLOCK g_lock = SRWLOCK_INIT;
std::atomic<unsigned> g_generation{0};

Hooked* Find(HWND window) {
  for (Hooked& entry : g_hooked) {
    if (entry.window == window) return &entry;
  }
  return nullptr;
}

LRESULT CALLBACK ListenerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

WNDPROC CurrentProcedure(HWND window, bool unicode) {
  return reinterpret_cast<WNDPROC>(unicode ? ::GetWindowLongPtrW(window, GWLP_WNDPROC)
                                           : ::GetWindowLongPtrA(window, GWLP_WNDPROC));
}

void SetProcedure(HWND window, bool unicode, WNDPROC procedure) {
  const LONG_PTR value = reinterpret_cast<LONG_PTR>(procedure);
  if (unicode) {
    ::SetWindowLongPtrW(window, GWLP_WNDPROC, value);
  } else {
    ::SetWindowLongPtrA(window, GWLP_WNDPROC, value);
  }
}

// Takes the listener off when it is still the window's current procedure;
// true when it is gone from the chain.
bool Unhook(Hooked& entry) {
  if (CurrentProcedure(entry.window, entry.unicode) != &ListenerProc) return false;
  SetProcedure(entry.window, entry.unicode, entry.previous);
  entry = Hooked{};
  return true;
}

// Keeps the library loaded until the process ends: a listener that stays in
// a window's chain must never point into unloaded code.
void PinLibrary() {
  HMODULE self = nullptr;
  ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                       reinterpret_cast<LPCWSTR>(&ListenerProc), &self);
}

LRESULT CALLBACK ListenerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WNDPROC previous = nullptr;
  bool unicode = true;
  {
    win::ExclusiveLock hold(g_lock);
    Hooked* entry = Find(window);
    if (entry != nullptr) {
      previous = entry->previous;
      unicode = entry->unicode;
      if (message == WM_NCDESTROY) {
        // The window goes: the listener leaves its chain for good.
        if (!Unhook(*entry)) *entry = Hooked{};
      }
    }
  }
  if (previous == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_THEMECHANGED) ++g_generation;
  return unicode ? ::CallWindowProcW(previous, window, message, wParam, lParam)
                 : ::CallWindowProcA(previous, window, message, wParam, lParam);
}

}  // namespace

bool ListenForThemeChanges(HWND window) {
  if (window == nullptr || !::IsWindow(window)) return false;
  // Only the window's own thread may change its procedure.
  if (::GetWindowThreadProcessId(window, nullptr) != ::GetCurrentThreadId()) return false;
  win::ExclusiveLock hold(g_lock);
  if (Hooked* entry = Find(window)) {
    ++entry->calls;  // still in the chain, perhaps inert since an earlier call
    return true;
  }
  Hooked* free = Find(nullptr);
  if (free == nullptr) return false;
  const bool unicode = ::IsWindowUnicode(window) != FALSE;
  const WNDPROC previous = CurrentProcedure(window, unicode);
  if (previous == nullptr) return false;
  // Registered before the procedure changes: messages arrive at once.
  *free = Hooked{window, previous, unicode, 1};
  SetProcedure(window, unicode, &ListenerProc);
  if (CurrentProcedure(window, unicode) != &ListenerProc) {
    *free = Hooked{};
    return false;
  }
  return true;
}

void StopListeningForThemeChanges(HWND window) {
  win::ExclusiveLock hold(g_lock);
  Hooked* entry = window != nullptr ? Find(window) : nullptr;
  if (entry == nullptr || entry->calls == 0) return;
  if (--entry->calls > 0) return;
  if (!::IsWindow(window)) {
    *entry = Hooked{};
  } else if (!Unhook(*entry)) {
    PinLibrary();  // a later procedure chains to the listener
  }
}

unsigned ThemeGeneration() { return g_generation.load(); }

}  // namespace widgets
