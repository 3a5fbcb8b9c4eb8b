// The process-wide list of labels that may blink. While it has members a
// 500 ms timer on a hidden (message-only) window ticks and every member is
// asked to blink; the window and its timer are created with the first member
// and destroyed with the last, so nothing of it outlives the widgets.
#pragma once

#include <windows.h>

#include <cstddef>

namespace widgets {

class BlinkMember {
 public:
  // One timer tick; a member that does not blink ignores it.
  virtual void BlinkTick() = 0;

 protected:
  ~BlinkMember() = default;
};

constexpr UINT kBlinkIntervalMs = 500;
constexpr UINT_PTR kBlinkTimerId = 0x424C;

void JoinBlinkList(BlinkMember& member);
void LeaveBlinkList(BlinkMember& member);
std::size_t BlinkListSize();
// The hidden window that owns the timer; null while the list is empty.
HWND BlinkTimerWindow();

}  // namespace widgets
