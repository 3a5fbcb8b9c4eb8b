#include "host_thread_hooks.h"

#include <string>

#include "host_window.h"

namespace testing_support {
namespace {

// The hooks of this thread (the newest; each keeps the one before it). The
// oldest holds the system's hooks, which call every one.
thread_local HostThreadHooks* current = nullptr;

BOOL CALLBACK ChildPainted(HWND child, LPARAM all) {
  if (::IsWindowVisible(child) && ::GetUpdateRect(child, nullptr, FALSE)) {
    *reinterpret_cast<bool*>(all) = false;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

HostThreadHooks::HostThreadHooks(std::function<void(MSG&)> taken,
                                 std::function<void(const CWPSTRUCT&)> sent)
    : onTaken_(std::move(taken)), onSent_(std::move(sent)), previous_(current) {
  current = this;
  if (previous_ != nullptr) {
    installed_ = previous_->installed_;
    return;
  }
  const DWORD thread = ::GetCurrentThreadId();
  taken_ = ::SetWindowsHookExW(WH_GETMESSAGE, Taken, nullptr, thread);
  sent_ = ::SetWindowsHookExW(WH_CALLWNDPROC, Sent, nullptr, thread);
  installed_ = taken_ != nullptr && sent_ != nullptr;
}

HostThreadHooks::~HostThreadHooks() {
  if (sent_ != nullptr) ::UnhookWindowsHookEx(sent_);
  if (taken_ != nullptr) ::UnhookWindowsHookEx(taken_);
  current = previous_;
}

LRESULT CALLBACK HostThreadHooks::Taken(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && wParam == PM_REMOVE) {
    for (HostThreadHooks* hooks = current; hooks != nullptr; hooks = hooks->previous_) {
      if (hooks->onTaken_) hooks->onTaken_(*reinterpret_cast<MSG*>(lParam));
    }
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK HostThreadHooks::Sent(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    for (HostThreadHooks* hooks = current; hooks != nullptr; hooks = hooks->previous_) {
      if (hooks->onSent_) hooks->onSent_(*reinterpret_cast<const CWPSTRUCT*>(lParam));
    }
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

HostThreadHooks WhenShown(std::function<void(HWND form)> action) {
  return HostThreadHooks(nullptr, [action = std::move(action)](const CWPSTRUCT& message) {
    if (IsProgressWindow(message.hwnd) && Shows(message)) action(message.hwnd);
  });
}

bool IsProgressWindow(HWND hwnd) {
  wchar_t className[64] = {};
  return hwnd != nullptr && ::GetClassNameW(hwnd, className, 64) > 0 &&
         std::wstring(className) == kFormClass;
}

bool Shows(const CWPSTRUCT& message) {
  return message.message == WM_WINDOWPOSCHANGED &&
         (reinterpret_cast<const WINDOWPOS*>(message.lParam)->flags & SWP_SHOWWINDOW) != 0;
}

bool FullyPainted(HWND window) {
  if (::GetUpdateRect(window, nullptr, FALSE)) return false;
  bool painted = true;
  ::EnumChildWindows(window, ChildPainted, reinterpret_cast<LPARAM>(&painted));
  return painted;
}

}  // namespace testing_support
