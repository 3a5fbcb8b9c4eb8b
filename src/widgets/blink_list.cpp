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

struct BlinkList {
  std::vector<BlinkMember*> members;
  std::weak_ptr<win::WindowClass> classSlot;
  // Declared before the window, so the window goes first.
  std::shared_ptr<win::WindowClass> windowClass;
  win::UniqueWindow window;
  bool timerSet = false;

  void Start() {
    windowClass = win::AcquireWindowClass(classSlot, L"QeshRzBlinkHost", BlinkHostProc);
    if (!windowClass) return;
    window.reset(::CreateWindowExW(0, windowClass->Name(), L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                   nullptr, win::ThisModule(), nullptr));
    if (window.get()) {
      timerSet = ::SetTimer(window.get(), kBlinkTimerId, kBlinkIntervalMs, nullptr) != 0;
    }
  }

  void Stop() {
    if (timerSet && window.get()) ::KillTimer(window.get(), kBlinkTimerId);
    timerSet = false;
    window.reset();
    windowClass.reset();
  }
};

BlinkList& List() {
  static BlinkList list;
  return list;
}

LRESULT CALLBACK BlinkHostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    if (message == WM_TIMER && wParam == kBlinkTimerId) {
      // A tick may arrive after the last member left (KillTimer leaves
      // queued ticks): then the copy is empty and nothing happens. A member
      // that left during this tick is not called.
      const std::vector<BlinkMember*> members = List().members;
      for (BlinkMember* member : members) {
        const auto& now = List().members;
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
  BlinkList& list = List();
  list.members.push_back(&member);
  if (list.members.size() == 1) list.Start();
}

void LeaveBlinkList(BlinkMember& member) {
  BlinkList& list = List();
  const auto it = std::find(list.members.begin(), list.members.end(), &member);
  if (it == list.members.end()) return;
  list.members.erase(it);
  if (list.members.empty()) list.Stop();
}

std::size_t BlinkListSize() { return List().members.size(); }

HWND BlinkTimerWindow() { return List().window.get(); }

}  // namespace widgets
