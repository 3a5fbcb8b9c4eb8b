// DoIt inside a host as real programs are: activation handed back past
// another program's window, a host window destroyed during the run, a call
// made from the host's own timer while a run is up, and the host's window
// procedure left as the host's own.
#include <gtest/gtest.h>

#include <atomic>

#include "host_thread_hooks.h"
#include "host_window.h"
#include "temp_folder.h"

namespace {

using namespace testing_support;

// A top-level window of another thread, with an input queue of its own: a
// stand-in for another program's window lying behind the host.
class OtherProgramWindow {
 public:
  OtherProgramWindow() {
    thread_ = std::thread([this] {
      hwnd_ = ::CreateWindowExW(0, L"STATIC", L"another program", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                40, 40, 600, 400, nullptr, nullptr, nullptr, nullptr);
      threadId_ = ::GetCurrentThreadId();
      ready_ = true;
      MSG message;
      while (::GetMessageW(&message, nullptr, 0, 0) > 0) ::DispatchMessageW(&message);
      ::DestroyWindow(hwnd_);
    });
    while (!ready_) ::Sleep(5);
  }
  ~OtherProgramWindow() {
    ::PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    thread_.join();
  }

 private:
  std::thread thread_;
  std::atomic<bool> ready_{false};
  HWND hwnd_ = nullptr;
  DWORD threadId_ = 0;
};

// Whether the host was enabled when the progress window was hidden, seen by
// a hook on the messages sent to the progress window.
struct HideObserver {
  static inline HWND host = nullptr;
  static inline int hides = 0;
  static inline bool hostEnabledAtEveryHide = true;

  explicit HideObserver(HWND observedHost) {
    host = observedHost;
    hides = 0;
    hostEnabledAtEveryHide = true;
    hook_ = ::SetWindowsHookExW(WH_CALLWNDPROC, Observe, nullptr, ::GetCurrentThreadId());
  }
  ~HideObserver() { ::UnhookWindowsHookEx(hook_); }

  static LRESULT CALLBACK Observe(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->message == WM_WINDOWPOSCHANGING) {
      const auto* position = reinterpret_cast<const WINDOWPOS*>(sent->lParam);
      wchar_t className[64] = {};
      ::GetClassNameW(sent->hwnd, className, 64);
      if ((position->flags & SWP_HIDEWINDOW) != 0 && std::wstring(className) == kFormClass) {
        ++hides;
        hostEnabledAtEveryHide = hostEnabledAtEveryHide && ::IsWindowEnabled(host);
      }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
  }

 private:
  HHOOK hook_;
};

class ModalRun : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(library.Loaded()); }
  Library library;
};

TEST_F(ModalRun, ActivationGoesBackToTheHostWhetherTheJobRanTheWindowWasClosedOrTheHostQuit) {
  OtherProgramWindow behind;
  HostWindow host;
  ::SetForegroundWindow(host.Handle());
  ::SetActiveWindow(host.Handle());
  ASSERT_EQ(::GetActiveWindow(), host.Handle());
  OneTableWorkFolder folder;
  {
    HideObserver observer(host.Handle());
    EXPECT_EQ(library.Run(host.Handle(), folder.ansi.c_str(), "D:\\src"), L"D:\\src\\");
    EXPECT_GE(HideObserver::hides, 1);
    EXPECT_TRUE(HideObserver::hostEnabledAtEveryHide);
  }
  EXPECT_EQ(::GetActiveWindow(), host.Handle());
  EXPECT_EQ(::GetForegroundWindow(), host.Handle());
  {
    HideObserver observer(host.Handle());
    const auto hooks = WhenShown([](HWND form) { ::PostMessageW(form, WM_CLOSE, 0, 0); });
    EXPECT_EQ(library.Run(host.Handle(), folder.ansi.c_str(), "D:\\src"), L"0");
    EXPECT_GE(HideObserver::hides, 1);
    EXPECT_TRUE(HideObserver::hostEnabledAtEveryHide);
  }
  EXPECT_EQ(::GetActiveWindow(), host.Handle());
  EXPECT_EQ(::GetForegroundWindow(), host.Handle());
  {
    HideObserver observer(host.Handle());
    const auto hooks =
        WhenShown([](HWND) { ::PostThreadMessageW(::GetCurrentThreadId(), WM_QUIT, 3, 0); });
    EXPECT_EQ(library.Run(host.Handle(), folder.ansi.c_str(), "D:\\src"), L"0");
    EXPECT_TRUE(HideObserver::hostEnabledAtEveryHide);
  }
  MSG quit;
  EXPECT_TRUE(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(::GetActiveWindow(), host.Handle());
  EXPECT_EQ(::GetForegroundWindow(), host.Handle());
}

void CALLBACK NeverDue(HWND, UINT, UINT_PTR, DWORD) {}

TEST_F(ModalRun, AHostWindowDestroyedBeforeTheJobEndsTheRunWithZeroAndTouchesNothing) {
  OneTableWorkFolder folder;
  HostWindow other;  // another window of the host, disabled for the run
  HostWindow host;
  // A timer of the host's thread that never comes due during the run: the
  // library must neither kill it nor wait for it to notice the destruction.
  const UINT_PTR threadTimer = ::SetTimer(nullptr, 0, USER_TIMER_MAXIMUM, NeverDue);
  ASSERT_NE(threadTimer, 0u);
  // The host's window takes WM_CLOSE as DefWindowProc does: it is destroyed,
  // and the progress window it owns with it.
  const auto hooks = WhenShown([&host](HWND) { ::PostMessageW(host.Handle(), WM_CLOSE, 0, 0); });
  EXPECT_EQ(library.Run(host.Handle(), folder.ansi.c_str(), "D:\\src"), L"0");
  EXPECT_FALSE(::IsWindow(host.Handle()));
  EXPECT_TRUE(::IsWindowEnabled(other.Handle()));
  EXPECT_TRUE(folder.Untouched());
  EXPECT_EQ(::FindWindowW(kFormClass, nullptr), nullptr);
  EXPECT_TRUE(::KillTimer(nullptr, threadTimer)) << "the host thread's timer is gone";
}

// A second call from the host's timer while the first run is up.
QeshDoItProc g_doIt = nullptr;
const char* g_innerFolder = nullptr;
std::wstring g_innerResult;
void CALLBACK CallAgain(HWND hwnd, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(hwnd, id);
  BSTR result = nullptr;
  g_doIt(&result, hwnd, g_innerFolder, "E:\\inner", 0);
  g_innerResult = result != nullptr ? std::wstring(result, ::SysStringLen(result)) : L"<null>";
  ::SysFreeString(result);
}

TEST_F(ModalRun, ACallFromTheHostsTimerDuringARunRunsItsOwnJob) {
  OneTableWorkFolder outer, inner;
  HostWindow host;
  g_doIt = library.DoItProc();
  g_innerFolder = inner.ansi.c_str();
  g_innerResult.clear();
  ::SetTimer(host.Handle(), 1, 300, CallAgain);
  EXPECT_EQ(library.Run(host.Handle(), outer.ansi.c_str(), "D:\\outer"), L"D:\\outer\\");
  EXPECT_EQ(g_innerResult, L"E:\\inner\\");
  EXPECT_TRUE(outer.Detached());
  EXPECT_TRUE(inner.Detached());
  EXPECT_TRUE(::IsWindowEnabled(host.Handle()));
  EXPECT_EQ(::FindWindowW(kFormClass, nullptr), nullptr);
  // The class is still there for the next call.
  EXPECT_EQ(library.Run(host.Handle(), outer.ansi.c_str(), "D:\\again"), L"D:\\again\\");
}

TEST_F(ModalRun, AfterACallTheHostsWindowProcedureIsItsOwnAgain) {
  OneTableWorkFolder folder;
  HostWindow host;
  const LONG_PTR own = ::GetWindowLongPtrW(host.Handle(), GWLP_WNDPROC);
  LONG_PTR duringRun = 0;
  {
    // Read as the start timer is taken: the window has been painted by then.
    HostThreadHooks hooks(
        [&](MSG& message) {
          if (duringRun == 0 && message.message == WM_TIMER && IsProgressWindow(message.hwnd)) {
            duringRun = ::GetWindowLongPtrW(host.Handle(), GWLP_WNDPROC);
          }
        },
        nullptr);
    ASSERT_TRUE(hooks.Installed());
    EXPECT_EQ(library.Run(host.Handle(), folder.ansi.c_str(), "D:\\src"), L"D:\\src\\");
  }
  EXPECT_NE(duringRun, own);  // the listener was in place
  EXPECT_EQ(::GetWindowLongPtrW(host.Handle(), GWLP_WNDPROC), own);
}

// A host that subclasses its own window while a call is up (a framework
// would), then unloads the library and later takes its procedure off.
int g_subclassMessages = 0;
WNDPROC g_chained = nullptr;
LRESULT CALLBACK HostSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ++g_subclassMessages;
  return ::CallWindowProcW(g_chained, window, message, wParam, lParam);
}
void CALLBACK SubclassHost(HWND hwnd, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(hwnd, id);
  g_chained = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HostSubclass)));
}

TEST(ModalRunUnload, AProcedureTheHostPlacedDuringACallKeepsWorkingAfterUnloading) {
  HostWindow host;
  OneTableWorkFolder folder;
  const auto own = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(host.Handle(), GWLP_WNDPROC));
  {
    Library library;
    ASSERT_TRUE(library.Loaded());
    ::SetTimer(host.Handle(), 1, 300, SubclassHost);
    EXPECT_EQ(library.Run(host.Handle(), folder.ansi.c_str(), "D:\\src"), L"D:\\src\\");
    ASSERT_NE(g_chained, nullptr);
    EXPECT_NE(g_chained, own);  // placed over the library's listener
  }
  EXPECT_EQ(::GetWindowLongPtrW(host.Handle(), GWLP_WNDPROC),
            reinterpret_cast<LONG_PTR>(&HostSubclass));
  g_subclassMessages = 0;
  for (UINT message : {WM_THEMECHANGED, WM_SETTINGCHANGE, WM_SYSCOLORCHANGE}) {
    ::SendMessageW(host.Handle(), message, 0, 0);
  }
  EXPECT_EQ(g_subclassMessages, 3);
  ::SetWindowLongPtrW(host.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_chained));
  ::SendMessageW(host.Handle(), WM_THEMECHANGED, 0, 0);
  ::SetWindowTextW(host.Handle(), L"still here");
  wchar_t text[16] = {};
  ::GetWindowTextW(host.Handle(), text, 16);
  EXPECT_STREQ(text, L"still here");
}

}  // namespace
