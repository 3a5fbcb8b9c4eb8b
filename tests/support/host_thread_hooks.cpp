#include "host_thread_hooks.h"

#include <string>

#include "host_window.h"

namespace testing_support {
namespace {

// The hooks of this thread (the newest; each keeps the one before it).
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
  const DWORD thread = ::GetCurrentThreadId();
  taken_ = ::SetWindowsHookExW(WH_GETMESSAGE, Taken, nullptr, thread);
  sent_ = ::SetWindowsHookExW(WH_CALLWNDPROC, Sent, nullptr, thread);
}

HostThreadHooks::~HostThreadHooks() {
  if (sent_ != nullptr) ::UnhookWindowsHookEx(sent_);
  if (taken_ != nullptr) ::UnhookWindowsHookEx(taken_);
  current = previous_;
}

LRESULT CALLBACK HostThreadHooks::Taken(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && wParam == PM_REMOVE && current != nullptr && current->onTaken_) {
    current->onTaken_(*reinterpret_cast<MSG*>(lParam));
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK HostThreadHooks::Sent(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && current != nullptr && current->onSent_) {
    current->onSent_(*reinterpret_cast<const CWPSTRUCT*>(lParam));
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
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
