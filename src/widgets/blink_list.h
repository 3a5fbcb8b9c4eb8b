// The list of labels that may blink, one per thread: labels live and die on
// the thread of their window, and so does the list's timer. While a thread's
// list has members a 500 ms timer on a hidden (message-only) window of that
// thread ticks and every member is asked to blink; the window and its timer
// are created with the thread's first member and destroyed with its last, so
// nothing of it outlives the widgets, whatever other threads do meanwhile.
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

// On the calling thread's list.
void JoinBlinkList(BlinkMember& member);
void LeaveBlinkList(BlinkMember& member);
std::size_t BlinkListSize();
// The calling thread's hidden window that owns the timer; null while its
// list is empty.
HWND BlinkTimerWindow();

}  // namespace widgets
