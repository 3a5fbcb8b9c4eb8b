#include "widgets/blink_list.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "win/gdi_handles.h"
#include "win/module_instance.h"
#include "win/window_class.h"

namespace widgets {
namespace {

LRESULT CALLBACK BlinkHostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

win::ClassSlot g_blinkHostClass{L"QeshRzBlinkHost"};

// One thread's list.
struct BlinkList {
  std::vector<BlinkMember*> members;
  // Declared before the window, so the window goes first.
  win::WindowClass windowClass;
  win::UniqueWindow window;
  bool timerSet = false;

  void Start() {
    windowClass = win::WindowClass(g_blinkHostClass, BlinkHostProc);
    if (!windowClass) return;
    window.reset(::CreateWindowExW(0, windowClass.Name(), L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   win::ThisModule(), nullptr));
    if (window.get()) {
      timerSet = ::SetTimer(window.get(), kBlinkTimerId, kBlinkIntervalMs, nullptr) != 0;
    }
  }

  ~BlinkList() {
    if (timerSet && window.get()) ::KillTimer(window.get(), kBlinkTimerId);
  }
};

// The calling thread's list; null while it has no members.
thread_local BlinkList* g_list = nullptr;

LRESULT CALLBACK BlinkHostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    if (message == WM_TIMER && wParam == kBlinkTimerId) {
      // A tick may arrive after the last member left (KillTimer leaves
      // queued ticks): then there is no list and nothing happens. A member
      // that left during this tick is not called.
      if (g_list == nullptr) return 0;
      const std::vector<BlinkMember*> members = g_list->members;
      for (BlinkMember* member : members) {
        if (g_list == nullptr) break;
        const auto& now = g_list->members;
        if (std::find(now.begin(), now.end(), member) != now.end()) member->BlinkTick();
      }
      return 0;
    }
  } catch (...) {
    return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

void JoinBlinkList(BlinkMember& member) {
  std::unique_ptr<BlinkList> made;
  if (g_list == nullptr) made = std::make_unique<BlinkList>();
  BlinkList& list = made ? *made : *g_list;
  list.members.push_back(&member);
  if (made) {
    g_list = made.release();
    g_list->Start();
  }
}

void LeaveBlinkList(BlinkMember& member) {
  if (g_list == nullptr) return;
  auto& members = g_list->members;
  const auto it = std::find(members.begin(), members.end(), &member);
  if (it == members.end()) return;
  members.erase(it);
  if (!members.empty()) return;
  delete g_list;
  g_list = nullptr;
}

std::size_t BlinkListSize() { return g_list != nullptr ? g_list->members.size() : 0; }

HWND BlinkTimerWindow() { return g_list != nullptr ? g_list->window.get() : nullptr; }

}  // namespace widgets
