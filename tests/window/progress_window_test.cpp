// The progress window on its own: its frame and texts, its build at another
// DPI, the error box for failures that cannot be made for real (a refused
// timer, a walk that runs out of memory), and the window staying open after
// them.
#include <gtest/gtest.h>

#include <atomic>
#include <new>
#include <thread>
#include <vector>

#include "host_thread_hooks.h"
#include "host_window.h"
#include "win/gdi_handles.h"
#include "window/DealWithDBFINDEX.h"
#include "window/form_texts.h"
#include "window_capture.h"

namespace window {
namespace {

using namespace testing_support;

// What the error box showed.
struct ErrorBox {
  HWND owner = nullptr;
  std::wstring title;
  std::wstring text;
  bool stopIcon = false;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
  wchar_t className[16] = {};
  ::GetClassNameW(window, className, 16);
  if (std::wstring(className) != L"#32770") return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

// The message box of `thread` (never another program's, such as a crash
// dialog), waited for up to 30 s; null if none came.
HWND WaitForErrorBox(DWORD thread) {
  HWND dialog = nullptr;
  for (int i = 0; i < 6000 && dialog == nullptr; ++i) {
    ::EnumThreadWindows(thread, FindDialog, reinterpret_cast<LPARAM>(&dialog));
    if (dialog == nullptr) ::Sleep(5);
  }
  return dialog;
}

// Waits for the error box of the windows of `thread`, reads it and presses OK.
ErrorBox ReadAndConfirmErrorBox(DWORD thread) {
  ErrorBox box;
  HWND dialog = WaitForErrorBox(thread);
  if (dialog == nullptr) return box;
  box.owner = ::GetWindow(dialog, GW_OWNER);
  wchar_t text[512] = {};
  ::GetWindowTextW(dialog, text, 512);
  box.title = text;
  // The message is the dialog's static text; the icon a static with SS_ICON.
  for (HWND child = ::GetWindow(dialog, GW_CHILD); child != nullptr;
       child = ::GetWindow(child, GW_HWNDNEXT)) {
    wchar_t className[32] = {};
    ::GetClassNameW(child, className, 32);
    if (std::wstring(className) != L"Static") continue;
    if ((::GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
      box.stopIcon = ::SendMessageW(child, STM_GETICON, 0, 0) != 0;
    } else {
      ::GetWindowTextW(child, text, 512);
      if (text[0] != L'\0') box.text = text;
    }
  }
  ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  return box;
}

class ProgressWindow : public ::testing::Test {
 protected:
  void TearDown() override { Hooks() = FormHooks{}; }
  // Runs `form` to its end (a cancel): its error box is read and confirmed,
  // then the window is closed.
  ErrorBox RunThroughErrorBox(TForm_DeleteDBFIndex& form) const {
    ErrorBox box;
    Watcher watcher([&] {
      box = ReadAndConfirmErrorBox(formThread);
      ::PostMessageW(WaitForProgressWindow(), WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(form.ShowModal(), mrCancel);
    return box;
  }
  const DWORD formThread = ::GetCurrentThreadId();
  HostWindow host;
};

TEST_F(ProgressWindow, HasItsTitleFrameAndClientSize) {
  TForm_DeleteDBFIndex form(host.Handle());
  HWND hwnd = form.Handle();
  wchar_t title[64] = {};
  ::GetWindowTextW(hwnd, title, 64);
  EXPECT_EQ(std::wstring(title), kFormTitle);
  RECT client{};
  ::GetClientRect(hwnd, &client);
  EXPECT_EQ(client.right, 303);
  EXPECT_EQ(client.bottom, 91);
  const LONG style = ::GetWindowLongW(hwnd, GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
  EXPECT_EQ(::GetWindow(hwnd, GW_OWNER), host.Handle());
  EXPECT_FALSE(::IsWindowVisible(hwnd));
  // The system menu holds Move and Close only (and a separator).
  HMENU menu = ::GetSystemMenu(hwnd, FALSE);
  EXPECT_NE(::GetMenuState(menu, SC_MOVE, MF_BYCOMMAND), static_cast<UINT>(-1));
  EXPECT_NE(::GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND), static_cast<UINT>(-1));
  for (UINT gone : {SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE}) {
    EXPECT_EQ(::GetMenuState(menu, gone, MF_BYCOMMAND), static_cast<UINT>(-1)) << gone;
  }
}

TEST_F(ProgressWindow, IsCentredOnTheDesktopWhenShown) {
  TForm_DeleteDBFIndex form(host.Handle());
  RECT frame{};
  const auto hooks = WhenShown([&](HWND hwnd) {
    ::GetWindowRect(hwnd, &frame);
    ::PostMessageW(hwnd, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(form.ShowModal(), mrCancel);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  EXPECT_EQ(frame.left, (::GetSystemMetrics(SM_CXVIRTUALSCREEN) - width) / 2);
  EXPECT_EQ(frame.top, (::GetSystemMetrics(SM_CYVIRTUALSCREEN) - height) / 2);
}

// The monitor layout the window is centred on, for the seam: under Wine
// there is one monitor.
std::vector<Monitor> g_monitors;
std::vector<Monitor> TestMonitors() { return g_monitors; }

// Where the window is shown, with the host window at `hostAt` (none when
// null), on the layout of `monitors`.
POINT ShownAt(HWND host, const std::vector<Monitor>& monitors, const POINT* hostAt) {
  g_monitors = monitors;
  Hooks().monitors = TestMonitors;
  if (hostAt != nullptr) {
    ::SetWindowPos(host, nullptr, hostAt->x, hostAt->y, 400, 300, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  TForm_DeleteDBFIndex form(hostAt != nullptr ? host : nullptr);
  RECT frame{};
  const auto hooks = WhenShown([&](HWND hwnd) {
    ::GetWindowRect(hwnd, &frame);
    ::PostMessageW(hwnd, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(form.ShowModal(), mrCancel);
  Hooks().monitors = SystemMonitors;
  return POINT{frame.left, frame.top};
}

// Centred on the monitor that shows the host window, whole, or on the
// primary one without a host window; never on no monitor (the virtual
// desktop's width centred from 0: x = 2084 beside a monitor on the left)
// nor across two.
TEST_F(ProgressWindow, IsCentredOnTheMonitorThatShowsTheHostWindow) {
  RECT frame{};
  {
    TForm_DeleteDBFIndex form(nullptr);
    ::GetWindowRect(form.Handle(), &frame);
  }
  const int w = frame.right - frame.left, h = frame.bottom - frame.top;
  const Monitor primary{Area{0, 0, 1920, 1080}, true};
  const Monitor left{Area{-2560, 0, 0, 1440}, false};
  const Monitor right{Area{1920, 0, 4480, 1440}, false};
  const Monitor above{Area{0, -1080, 1920, 0}, false};
  const POINT onPrimary{200, 150}, onLeft{-2000, 300}, onRight{3000, 300}, onAbove{300, -900};

  POINT at = ShownAt(host.Handle(), {primary, left}, &onPrimary);
  EXPECT_EQ(at.x, (1920 - w) / 2);
  EXPECT_EQ(at.y, (1080 - h) / 2);
  at = ShownAt(host.Handle(), {primary, left}, &onLeft);
  EXPECT_EQ(at.x, -2560 + (2560 - w) / 2);
  EXPECT_EQ(at.y, (1440 - h) / 2);
  at = ShownAt(host.Handle(), {primary, right}, &onPrimary);
  EXPECT_EQ(at.x, (1920 - w) / 2);
  at = ShownAt(host.Handle(), {primary, right}, &onRight);
  EXPECT_EQ(at.x, 1920 + (2560 - w) / 2);
  at = ShownAt(host.Handle(), {primary, above}, &onAbove);
  EXPECT_EQ(at.x, (1920 - w) / 2);
  EXPECT_EQ(at.y, -1080 + (1080 - h) / 2);
  // No host window: the primary monitor, wherever it is listed.
  at = ShownAt(host.Handle(), {left, primary}, nullptr);
  EXPECT_EQ(at.x, (1920 - w) / 2);
  EXPECT_EQ(at.y, (1080 - h) / 2);
}

UINT Dpi144(HWND) { return 144; }

// The window's monitor changes its DPI, as the system tells a per-monitor
// aware window, with the place it suggests.
void ChangeDpi(HWND hwnd, int dpi, RECT suggested) {
  ::SendMessageW(hwnd, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

// The job's progress as its thread posts it to the window: `done` of
// `total` tables.
void ShowProgress(HWND hwnd, std::size_t done, std::size_t total) {
  ::SendMessageW(hwnd, WM_APP + 1, done, static_cast<LPARAM>(total));
}

// Under Wine every window has the screen's DPI (96 here): a window created
// at 144 dpi comes through the seam for the window's DPI at creation, and a
// change of DPI is the message the system sends. Every window shows the
// same progress (a quarter of the job) before it changes.
TEST_F(ProgressWindow, AtAnotherDpiItIsBuiltAlikeWhenCreatedThereAndWhenMovedThere) {
  Hooks().windowDpi = Dpi144;
  Capture created144;
  {
    TForm_DeleteDBFIndex form(host.Handle());
    RECT client{};
    ::GetClientRect(form.Handle(), &client);
    EXPECT_EQ(client.right, 466);  // 303 x 91 times 20 / 13: "宋体" asked for and realised at 20
    EXPECT_EQ(client.bottom, 140);
    created144 = CaptureShownWindow([&] { EXPECT_EQ(form.ShowModal(), mrCancel); },
                                    [](HWND hwnd) { ShowProgress(hwnd, 1, 4); });
  }
  Hooks().windowDpi = WindowDpi;

  Capture created96, moved144, movedBack96;
  RECT at144{}, atBack{};
  win::LiveHandles before, after;
  {
    TForm_DeleteDBFIndex form(host.Handle());
    created96 = CaptureShownWindow([&] { EXPECT_EQ(form.ShowModal(), mrCancel); },
                                   [](HWND hwnd) { ShowProgress(hwnd, 1, 4); });
  }
  {
    TForm_DeleteDBFIndex form(host.Handle());
    moved144 = CaptureShownWindow([&] { EXPECT_EQ(form.ShowModal(), mrCancel); },
                                  [&](HWND hwnd) {
                                    ShowProgress(hwnd, 1, 4);
                                    ChangeDpi(hwnd, 144, RECT{40, 30, 500, 210});
                                    ::GetWindowRect(hwnd, &at144);
                                  });
  }
  {
    TForm_DeleteDBFIndex form(host.Handle());
    movedBack96 = CaptureShownWindow([&] { EXPECT_EQ(form.ShowModal(), mrCancel); },
                                     [&](HWND hwnd) {
                                       ShowProgress(hwnd, 1, 4);
                                       before = win::CountLiveHandles();
                                       ChangeDpi(hwnd, 144, RECT{40, 30, 500, 210});
                                       ChangeDpi(hwnd, 96, RECT{70, 50, 380, 170});
                                       ::GetWindowRect(hwnd, &atBack);
                                       after = win::CountLiveHandles();
                                     });
  }
  // At the suggested top-left corner, sized for the new DPI.
  EXPECT_EQ(at144.left, 40);
  EXPECT_EQ(at144.top, 30);
  EXPECT_EQ(atBack.left, 70);
  EXPECT_EQ(atBack.top, 50);
  // Pixel for pixel what the window is when built at that DPI.
  ASSERT_EQ(moved144.width, 466);
  ASSERT_EQ(moved144.height, 140);
  EXPECT_TRUE(moved144.pixels == created144.pixels);
  ASSERT_EQ(movedBack96.width, 303);
  ASSERT_EQ(movedBack96.height, 91);
  EXPECT_TRUE(movedBack96.pixels == created96.pixels);
  // The old fonts and widgets are gone with the change.
  EXPECT_EQ(after.gdiObjects, before.gdiObjects);
  EXPECT_EQ(after.windows, before.windows);
}

UINT_PTR WINAPI RefuseTimer(HWND, UINT_PTR, UINT, TIMERPROC) { return 0; }

// A timer of the test's own on the progress window, due after the start
// timer would have been (timers come in the order they fall due), and again
// while the error box is still up.
bool g_openAfterTheStartDelay = false;
void CALLBACK CheckOpenAndClose(HWND hwnd, UINT, UINT_PTR id, DWORD) {
  HWND box = nullptr;
  ::EnumThreadWindows(::GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&box));
  if (box != nullptr) return;
  ::KillTimer(hwnd, id);
  g_openAfterTheStartDelay = ::IsWindowVisible(hwnd) != FALSE;
  ::PostMessageW(hwnd, WM_CLOSE, 0, 0);
}

TEST_F(ProgressWindow, ARefusedTimerIsReportedAndTheWindowStaysOpenUntilClosed) {
  Hooks().setTimer = RefuseTimer;
  TForm_DeleteDBFIndex form(host.Handle());
  ErrorBox box;
  g_openAfterTheStartDelay = false;
  Watcher watcher([&] { box = ReadAndConfirmErrorBox(formThread); });
  const auto hooks =
      WhenShown([](HWND hwnd) { ::SetTimer(hwnd, 0x7E57, 1500, CheckOpenAndClose); });
  EXPECT_EQ(form.ShowModal(), mrCancel);
  EXPECT_EQ(box.text, L"Not enough timers available.");
  EXPECT_EQ(box.title, L"window_test");
  EXPECT_EQ(box.owner, host.Handle());
  EXPECT_TRUE(box.stopIcon);
  EXPECT_TRUE(g_openAfterTheStartDelay);
}

void RunOutOfMemory(const std::string&, const tables::ScanProgress&) { throw std::bad_alloc(); }

TEST_F(ProgressWindow, AFailureEscapingTheWalkIsReportedAndGivesCancel) {
  Hooks().runJob = RunOutOfMemory;
  TForm_DeleteDBFIndex form(host.Handle());
  form.FDataSourcePath = "D:\\src";
  form.FResultPath = form.FDataSourcePath;
  const ErrorBox box = RunThroughErrorBox(form);
  EXPECT_EQ(box.text, L"std::bad_alloc.");
  EXPECT_TRUE(box.stopIcon);
  EXPECT_EQ(form.FResultPath, "D:\\src");  // the event was abandoned before the result
}

TEST_F(ProgressWindow, WithAHostOfAThreadThatAnswersNothingTheWindowOwnsTheErrorBox) {
  Hooks().runJob = RunOutOfMemory;
  const HANDLE runEnded = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::atomic<HWND> blockedHost{nullptr};
  DWORD waited = WAIT_FAILED;
  std::thread blocked([&] {
    HostWindow other;
    blockedHost = other.Handle();
    waited = ::WaitForSingleObject(runEnded, 30000);  // answers nothing meanwhile
  });
  while (blockedHost == nullptr) ::Sleep(1);
  {
    TForm_DeleteDBFIndex form(blockedHost);
    const ErrorBox box = RunThroughErrorBox(form);
    EXPECT_EQ(box.text, L"std::bad_alloc.");
    EXPECT_EQ(box.owner, form.Handle());
  }
  ::SetEvent(runEnded);
  blocked.join();
  ::CloseHandle(runEnded);
  EXPECT_EQ(waited, static_cast<DWORD>(WAIT_OBJECT_0)) << "the run waited for the blocked thread";
}

void ThrowAnything(const std::string&, const tables::ScanProgress&) { throw 42; }

TEST_F(ProgressWindow, AfterTheErrorBoxTheWindowIsEnabledAndActiveAgain) {
  Hooks().runJob = ThrowAnything;
  TForm_DeleteDBFIndex form(host.Handle());
  ErrorBox box;
  bool enabled = false;
  HWND active = nullptr;
  Watcher watcher([&] {
    box = ReadAndConfirmErrorBox(formThread);
    HWND hwnd = WaitForProgressWindow();
    // Once the box has gone, until the window is enabled and active again
    // (30 s at most).
    for (int i = 0; i < 6000; ++i) {
      GUITHREADINFO info{};
      info.cbSize = sizeof info;
      active = ::GetGUIThreadInfo(formThread, &info) ? info.hwndActive : nullptr;
      enabled = ::IsWindowEnabled(hwnd) != FALSE;
      if (!::IsWindow(hwnd) || (enabled && active == hwnd)) break;
      ::Sleep(5);
    }
    ::PostMessageW(hwnd, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(form.ShowModal(), mrCancel);
  // A failure of any type is reported, not only the standard ones.
  EXPECT_EQ(box.text, L"Unknown failure.");
  EXPECT_TRUE(enabled);
  EXPECT_EQ(active, form.Handle());
  EXPECT_TRUE(::IsWindowEnabled(host.Handle()));
}

std::vector<HWND> g_killedFor;
BOOL WINAPI RecordKillTimer(HWND window, UINT_PTR id) {
  g_killedFor.push_back(window);
  return ::KillTimer(window, id);
}

TEST_F(ProgressWindow, AnOwnerDestroyedBeforeTheJobEndsTheRunAndKillsOnlyTheWindowsOwnTimer) {
  Hooks().killTimer = RecordKillTimer;
  g_killedFor.clear();
  HostWindow owner;
  TForm_DeleteDBFIndex form(owner.Handle());
  HWND shown = nullptr;
  {
    const auto hooks = WhenShown([&](HWND hwnd) {
      shown = hwnd;
      ::PostMessageW(owner.Handle(), WM_CLOSE, 0, 0);  // the owner destroys itself
    });
    EXPECT_EQ(form.ShowModal(), mrCancel);
  }
  EXPECT_FALSE(::IsWindow(owner.Handle()));
  EXPECT_EQ(form.Handle(), nullptr);
  ASSERT_FALSE(g_killedFor.empty());
  for (HWND window : g_killedFor) EXPECT_EQ(window, shown);
  EXPECT_TRUE(::IsWindowEnabled(host.Handle()));
}

TEST_F(ProgressWindow, TwoHundredRunsLeaveNoGdiObjectsOrWindowsBehind) {
  const auto hooks = WhenShown([](HWND hwnd) { ::PostMessageW(hwnd, WM_CLOSE, 0, 0); });
  auto runOnce = [&] {
    TForm_DeleteDBFIndex form(host.Handle());
    return form.ShowModal();
  };
  ASSERT_EQ(runOnce(), mrCancel);
  const win::LiveHandles before = win::CountLiveHandles();
  for (int run = 0; run < 200; ++run) ASSERT_EQ(runOnce(), mrCancel) << run;
  const win::LiveHandles after = win::CountLiveHandles();
  EXPECT_EQ(after.gdiObjects, before.gdiObjects);
  EXPECT_EQ(after.memoryDcs, before.memoryDcs);
  EXPECT_EQ(after.windows, before.windows);
  // While a window is up it does hold fonts and windows of its own.
  TForm_DeleteDBFIndex form(host.Handle());
  EXPECT_GE(win::CountLiveHandles().gdiObjects, before.gdiObjects + 2);
  EXPECT_GE(win::CountLiveHandles().windows, before.windows + 4);
}

}  // namespace
}  // namespace window
