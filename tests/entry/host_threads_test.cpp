// DoIt in hosts with several GUI threads and with host windows the call
// cannot talk to: calls on two threads that end in the other order, two first
// calls at the same moment, a host window of another process, a host window
// of a thread that answers nothing, and unloading after calls on two threads.
// The threads are put in order by what their hooks see (a window shown, a
// start-timer tick held back until the other call is where it must be).
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <functional>
#include <thread>

#include "host_thread_hooks.h"
#include "host_window.h"
#include "temp_folder.h"

namespace {

using namespace testing_support;

// The wParams of the owner-change messages a window received, in order.
std::vector<WPARAM> OwnerChanges(const std::vector<HostWindow::OwnerMessage>& messages) {
  std::vector<WPARAM> changes;
  for (const auto& message : messages) changes.push_back(message.wParam);
  return changes;
}

// Holds back every start-timer tick of this thread's progress window until
// `until` is true (the timer ticks again a second later), and sets `shown`
// when that window is shown.
HostThreadHooks HoldStart(const std::atomic<bool>& until, std::atomic<bool>& shown) {
  return HostThreadHooks(
      [&until](MSG& message) {
        if (message.message == WM_TIMER && IsProgressWindow(message.hwnd) && !until) {
          message.message = WM_NULL;
        }
      },
      [&shown](const CWPSTRUCT& sent) {
        if (Shows(sent) && IsProgressWindow(sent.hwnd)) shown = true;
      });
}

void WaitUntil(const std::atomic<bool>& flag) {
  const DWORD start = ::GetTickCount();
  while (!flag && ::GetTickCount() - start < kPatienceMs) ::Sleep(1);
}

// A GUI thread of the host with a window of its own: it runs `body` with
// that window, then answers messages until it is stopped, so that its
// windows (and any the library left on it) stay and answer.
class GuiThread {
 public:
  explicit GuiThread(std::function<void(HostWindow&)> body)
      : thread_([this, body = std::move(body)] {
          HostWindow host;
          threadId_ = ::GetCurrentThreadId();
          MSG message;
          ::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // the queue exists
          body(host);
          bodyDone_ = true;
          while (::GetMessageW(&message, nullptr, 0, 0) > 0) ::DispatchMessageW(&message);
          ownerChanges_ = OwnerChanges(host.OwnerMessages());
        }) {}
  ~GuiThread() { Stop(); }
  GuiThread(const GuiThread&) = delete;
  GuiThread& operator=(const GuiThread&) = delete;

  const std::atomic<bool>& BodyDone() const { return bodyDone_; }
  // Ends the thread; then the owner changes its window received are known.
  const std::vector<WPARAM>& Stop() {
    if (thread_.joinable()) {
      WaitUntil(bodyDone_);
      ::PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
      thread_.join();
    }
    return ownerChanges_;
  }

 private:
  std::atomic<DWORD> threadId_{0};
  std::atomic<bool> bodyDone_{false};
  std::vector<WPARAM> ownerChanges_;
  std::thread thread_;
};

BOOL CALLBACK Collect(HWND hwnd, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
  return TRUE;
}

// Every window of this process: top-level, message-only, and all inside them.
std::vector<HWND> ProcessWindows() {
  std::vector<HWND> topLevel, windows;
  ::EnumWindows(Collect, reinterpret_cast<LPARAM>(&topLevel));
  for (HWND hwnd = ::FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); hwnd != nullptr;
       hwnd = ::FindWindowExW(HWND_MESSAGE, hwnd, nullptr, nullptr)) {
    topLevel.push_back(hwnd);
  }
  for (HWND hwnd : topLevel) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(hwnd, &process);
    if (process != ::GetCurrentProcessId()) continue;
    windows.push_back(hwnd);
    ::EnumChildWindows(hwnd, Collect, reinterpret_cast<LPARAM>(&windows));
  }
  return windows;
}

// The windows of this process whose class belongs to `module`.
std::vector<HWND> WindowsOf(HMODULE module) {
  std::vector<HWND> of;
  for (HWND hwnd : ProcessWindows()) {
    if (::GetClassLongPtrW(hwnd, GCLP_HMODULE) == reinterpret_cast<ULONG_PTR>(module)) {
      of.push_back(hwnd);
    }
  }
  return of;
}

// The library's window classes that are registered now.
std::vector<std::wstring> ClassesOf(HMODULE module) {
  std::vector<std::wstring> registered;
  for (const wchar_t* name : {kFormClass, L"QeshRzPanel", L"QeshRzBitBtn", L"QeshRzBlinkHost"}) {
    WNDCLASSEXW info{};
    info.cbSize = sizeof(info);
    if (::GetClassInfoExW(module, name, &info)) registered.emplace_back(name);
  }
  return registered;
}

// Counts the access violations of every thread of the process while it lives.
class FaultCounter {
 public:
  FaultCounter() : handler_(::AddVectoredExceptionHandler(1, Count)) { faults_ = 0; }
  ~FaultCounter() { ::RemoveVectoredExceptionHandler(handler_); }
  FaultCounter(const FaultCounter&) = delete;
  FaultCounter& operator=(const FaultCounter&) = delete;
  int Count() const { return faults_; }

 private:
  static LONG CALLBACK Count(EXCEPTION_POINTERS* exception) {
    if (exception->ExceptionRecord->ExceptionCode == EXCEPTION_ACCESS_VIOLATION) ++faults_;
    return EXCEPTION_CONTINUE_SEARCH;
  }
  static inline std::atomic<int> faults_{0};
  void* handler_;
};

// Two GUI threads, each with its window: the other thread calls first, this
// thread calls once that call's window is up, and the other call ends first.
// Leaves `other` running, with whatever the calls left on it.
struct OutOfOrderCalls {
  explicit OutOfOrderCalls(const Library& library)
      : other([this, &library](HostWindow& otherHost) {
          std::atomic<bool> otherShown{false};
          const HostThreadHooks hooks = HoldStart(thisShown, otherShown);
          otherResult = library.Run(otherHost.Handle(), otherFolder.ansi.c_str(), "B:\\small");
        }) {
    const HostThreadHooks hooks = HoldStart(other.BodyDone(), thisShown);
    // Started once the other call's window is up.
    EXPECT_NE(WaitForProgressWindow(kPatienceMs), nullptr);
    thisResult = library.Run(host.Handle(), thisFolder.ansi.c_str(), "M:\\large");
  }

  OneTableWorkFolder otherFolder, thisFolder;
  std::wstring otherResult, thisResult;
  std::atomic<bool> thisShown{false};
  HostWindow host;
  GuiThread other;
};

TEST(SeveralGuiThreads, CallsEndingInTheOtherOrderEachRunTheirJobAndTakeBackTheirOwnRecords) {
  Library library;
  ASSERT_TRUE(library.Loaded());
  OutOfOrderCalls calls(library);
  EXPECT_EQ(calls.otherResult, L"B:\\small\\");
  EXPECT_EQ(calls.thisResult, L"M:\\large\\");
  EXPECT_TRUE(calls.otherFolder.Detached());
  EXPECT_TRUE(calls.thisFolder.Detached());
  // Nothing of the library is left on either thread.
  const HMODULE module = ::GetModuleHandleW(L"qesh_deleteIndex_dbf.dll");
  EXPECT_TRUE(WindowsOf(module).empty());
  EXPECT_TRUE(ClassesOf(module).empty());
  // Each window was handed the record once by its own call and had it taken
  // back once; the other thread's call sent it nothing.
  const std::vector<WPARAM> gainedThenLost{0, 1};
  EXPECT_EQ(OwnerChanges(calls.host.OwnerMessages()), gainedThenLost);
  EXPECT_EQ(calls.other.Stop(), gainedThenLost);
}

TEST(SeveralGuiThreads, AfterCallsOnTwoThreadsAndUnloadingEveryWindowAnswersMessages) {
  Library library;
  ASSERT_TRUE(library.Loaded());
  const HMODULE module = ::GetModuleHandleW(L"qesh_deleteIndex_dbf.dll");
  OutOfOrderCalls calls(library);
  library.Unload();
  ASSERT_EQ(::GetModuleHandleW(L"qesh_deleteIndex_dbf.dll"), nullptr);
  EXPECT_TRUE(WindowsOf(module).empty());
  EXPECT_TRUE(ClassesOf(module).empty());
  // A window or hook left behind would now run code that is gone: the fault
  // is counted even where the system swallows it in a window procedure.
  const FaultCounter faults;
  for (HWND hwnd : ProcessWindows()) {
    for (UINT message : {WM_TIMER, WM_THEMECHANGED, WM_SETTINGCHANGE, WM_NULL}) {
      DWORD_PTR answer = 0;
      ::SendMessageTimeoutW(hwnd, message, 0, 0, SMTO_NORMAL, kPatienceMs, &answer);
    }
  }
  calls.other.Stop();
  EXPECT_EQ(faults.Count(), 0);
  EXPECT_TRUE(::IsWindow(calls.host.Handle()));
}

// Both threads make their windows, wait for each other and call at once.
// With `closeAtOnce` each closes its window as soon as it is shown.
struct SimultaneousCalls {
  SimultaneousCalls(const Library& library, bool closeAtOnce) {
    std::atomic<int> ready{0};
    std::atomic<bool> go{false};
    auto call = [&](int which) {
      HostWindow host;
      const HostThreadHooks hooks(nullptr, [&](const CWPSTRUCT& sent) {
        if (!Shows(sent) || !IsProgressWindow(sent.hwnd)) return;
        shown[which] = true;
        if (closeAtOnce) ::PostMessageW(sent.hwnd, WM_CLOSE, 0, 0);
      });
      ++ready;
      while (!go) {
      }
      results[which] = library.Run(host.Handle(), folders[which].ansi.c_str(), "D:\\src");
    };
    std::thread first(call, 0), second(call, 1);
    while (ready < 2) ::Sleep(1);
    go = true;
    first.join();
    second.join();
  }

  OneTableWorkFolder folders[2];
  std::wstring results[2];
  std::atomic<bool> shown[2] = {false, false};
};

TEST(SeveralGuiThreads, TwoFirstCallsAtTheSameMomentInAFreshProcessBothRunTheirJobs) {
  Library library;  // this test's process has not called the library before
  ASSERT_TRUE(library.Loaded());
  {
    SimultaneousCalls calls(library, false);
    for (int which : {0, 1}) {
      EXPECT_EQ(calls.results[which], L"D:\\src\\") << which;
      EXPECT_TRUE(calls.folders[which].Detached()) << which;
    }
  }
  // Later calls that start together register and unregister the window
  // classes together: each still gets its window.
  for (int round = 0; round < 20; ++round) {
    SimultaneousCalls calls(library, true);
    EXPECT_TRUE(calls.shown[0] && calls.shown[1]) << "round " << round;
  }
}

// A host window in a child process (tools/record_host.cpp) that counts the
// owner-change messages it receives.
class ChildProcessHost {
 public:
  ChildProcessHost() {
    wchar_t self[MAX_PATH];
    const DWORD length = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring command(self, length);
    command = L"\"" + command.substr(0, command.rfind(L'\\') + 1) + L"record-host.exe\"";
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    HANDLE read = nullptr, write = nullptr;
    if (!::CreatePipe(&read, &write, &inherit, 0)) return;
    ::SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = write;
    startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION info{};
    if (::CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                         &startup, &info)) {
      ::CloseHandle(info.hThread);
      process_ = info.hProcess;
    }
    ::CloseHandle(write);
    // Its first line: the window's handle, once the window is there.
    std::string line;
    char c = 0;
    DWORD got = 0;
    while (::ReadFile(read, &c, 1, &got, nullptr) && got == 1 && c != '\n') line.push_back(c);
    ::CloseHandle(read);
    window_ = reinterpret_cast<HWND>(static_cast<INT_PTR>(std::strtoll(line.c_str(), nullptr, 10)));
  }
  ~ChildProcessHost() {
    if (process_ == nullptr) return;
    ::PostMessageW(window_, WM_CLOSE, 0, 0);
    if (::WaitForSingleObject(process_, kPatienceMs) != WAIT_OBJECT_0) {
      ::TerminateProcess(process_, 1);
    }
    ::CloseHandle(process_);
  }
  ChildProcessHost(const ChildProcessHost&) = delete;
  ChildProcessHost& operator=(const ChildProcessHost&) = delete;

  HWND Window() const { return window_; }
  // The owner-change messages the window has received; -1 when it did not say.
  LRESULT OwnerMessages() const {
    DWORD_PTR count = 0;
    if (!::SendMessageTimeoutW(window_, WM_APP, 0, 0, SMTO_NORMAL, kPatienceMs, &count)) return -1;
    return static_cast<LRESULT>(count);
  }

 private:
  HANDLE process_ = nullptr;
  HWND window_ = nullptr;
};

// The owner of this thread's progress window, read when it is shown.
HostThreadHooks ReadOwner(HWND& owner) {
  return HostThreadHooks(nullptr, [&owner](const CWPSTRUCT& sent) {
    if (Shows(sent) && IsProgressWindow(sent.hwnd)) owner = ::GetWindow(sent.hwnd, GW_OWNER);
  });
}

TEST(HostWindowElsewhere, AWindowOfAnotherProcessOwnsTheWindowAndIsSentNoRecord) {
  Library library;
  ASSERT_TRUE(library.Loaded());
  ChildProcessHost child;
  ASSERT_TRUE(::IsWindow(child.Window()));
  OneTableWorkFolder folder;
  HWND owner = nullptr;
  {
    const HostThreadHooks hooks = ReadOwner(owner);
    EXPECT_EQ(library.Run(child.Window(), folder.ansi.c_str(), "D:\\src"), L"D:\\src\\");
  }
  EXPECT_TRUE(folder.Detached());
  EXPECT_EQ(owner, child.Window());
  EXPECT_EQ(child.OwnerMessages(), 0);
}

TEST(HostWindowElsewhere, AHiddenWindowOfAThreadThatAnswersNothingDoesNotHoldUpTheCall) {
  Library library;
  ASSERT_TRUE(library.Loaded());
  const HANDLE callEnded = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::atomic<HWND> blockedHost{nullptr};
  DWORD waited = WAIT_FAILED;
  std::vector<WPARAM> ownerChanges;
  bool visibleAfter = true;
  std::thread blocked([&] {
    HostWindow host(false);
    blockedHost = host.Handle();
    // Waits for the call to end, answering nothing meanwhile.
    waited = ::WaitForSingleObject(callEnded, kPatienceMs);
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
    ownerChanges = OwnerChanges(host.OwnerMessages());
    visibleAfter = ::IsWindowVisible(host.Handle()) != FALSE;
  });
  while (blockedHost == nullptr) ::Sleep(1);
  OneTableWorkFolder folder;
  HWND owner = nullptr;
  {
    const HostThreadHooks hooks = ReadOwner(owner);
    EXPECT_EQ(library.Run(blockedHost, folder.ansi.c_str(), "D:\\src"), L"D:\\src\\");
  }
  ::SetEvent(callEnded);
  blocked.join();
  ::CloseHandle(callEnded);
  EXPECT_EQ(waited, static_cast<DWORD>(WAIT_OBJECT_0)) << "the call waited for the blocked thread";
  EXPECT_TRUE(folder.Detached());
  EXPECT_EQ(owner, blockedHost.load());
  EXPECT_TRUE(ownerChanges.empty());
  EXPECT_FALSE(visibleAfter);
}

}  // namespace
