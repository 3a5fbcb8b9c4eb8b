// DoIt through the real library, as a host calls it: the result protocol,
// closing early, the quit message, ownership and modality, the owner-change
// messages, repeated calls and unloading.
#include <gtest/gtest.h>

#include <atomic>

#include "host_thread_hooks.h"
#include "host_window.h"
#include "temp_folder.h"

namespace {

using namespace testing_support;

class DoIt : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(library.Loaded()); }

  // A work folder (8-bit, ending with a backslash) whose template folder
  // holds one table with the index flag set and its .MDX.
  std::string WorkFolder() {
    table = work.Write(L"TempLateTemp\\CUSTOMER.DBF", MakeTable(0x01));
    index = work.Write(L"TempLateTemp\\CUSTOMER.MDX", {1, 2});
    return ToAnsi(work.Path());
  }
  bool TableDetached() const { return ReadBytes(table)[kFlags] == 0x00 && !FileExists(index); }
  bool TableUntouched() const { return ReadBytes(table) == MakeTable(0x01) && FileExists(index); }

  TempFolder work;
  std::wstring table, index;
  Library library;
  HostWindow host;
};

TEST_F(DoIt, RunsTheJobAndEchoesTheDataSourcePathWithABackslash) {
  const std::string folder = WorkFolder();
  EXPECT_EQ(library.Run(host.Handle(), folder.c_str(), "D:\\src"), L"D:\\src\\");
  EXPECT_TRUE(TableDetached());

  EXPECT_EQ(library.Run(host.Handle(), folder.c_str(), "D:\\src\\"), L"D:\\src\\\\");
  EXPECT_EQ(library.Run(host.Handle(), folder.c_str(), ""), L"\\");
  EXPECT_EQ(library.Run(host.Handle(), folder.c_str(), nullptr), L"\\");
}

TEST_F(DoIt, AnOldStringInTheSlotIsReplaced) {
  const std::string folder = WorkFolder();
  BSTR old = ::SysAllocString(L"an old result that is longer than the new one");
  EXPECT_EQ(library.Run(host.Handle(), folder.c_str(), "E:\\x", old), L"E:\\x\\");
}

TEST_F(DoIt, ANullWorkFolderWalksTheTemplateFolderUnderTheCurrentFolder) {
  WorkFolder();
  wchar_t previous[MAX_PATH];
  ::GetCurrentDirectoryW(MAX_PATH, previous);
  ASSERT_TRUE(::SetCurrentDirectoryW(work.Path().c_str()));
  const std::wstring result = library.Run(host.Handle(), nullptr, "S");
  ::SetCurrentDirectoryW(previous);
  EXPECT_EQ(result, L"S\\");
  EXPECT_TRUE(TableDetached());
}

TEST_F(DoIt, ANullResultSlotDoesNothing) {
  const std::string folder = WorkFolder();
  bool sawWindow = false;
  {
    const auto hooks = WhenShown([&](HWND) { sawWindow = true; });
    library.DoItProc()(nullptr, host.Handle(), folder.c_str(), "D:\\src", 0);
  }
  EXPECT_FALSE(sawWindow);
  EXPECT_TRUE(TableUntouched());
}

TEST_F(DoIt, ClosingTheWindowInItsFirstSecondGivesZeroAndTouchesNothing) {
  const std::string folder = WorkFolder();
  {
    const auto hooks = WhenShown([](HWND form) { ::PostMessageW(form, WM_CLOSE, 0, 0); });
    EXPECT_EQ(library.Run(host.Handle(), folder.c_str(), "D:\\src"), L"0");
  }
  EXPECT_TRUE(TableUntouched());
  {
    const auto hooks =
        WhenShown([](HWND form) { ::PostMessageW(form, WM_SYSCOMMAND, SC_CLOSE, 0); });
    EXPECT_EQ(library.Run(host.Handle(), folder.c_str(), "D:\\src"), L"0");
  }
  EXPECT_TRUE(TableUntouched());
}

TEST_F(DoIt, EnterAndEscapeDoNothing) {
  const std::string folder = WorkFolder();
  const auto hooks = WhenShown([](HWND form) {
    for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
      ::PostMessageW(form, WM_KEYDOWN, key, 0);
      ::PostMessageW(form, WM_KEYUP, key, 0);
    }
  });
  EXPECT_EQ(library.Run(host.Handle(), folder.c_str(), "D:\\src"), L"D:\\src\\");
  EXPECT_TRUE(TableDetached());
}

TEST_F(DoIt, AQuitMessageEndsTheRunAndReachesTheHostsLoopAfterwards) {
  const std::string folder = WorkFolder();
  {
    const auto hooks =
        WhenShown([](HWND) { ::PostThreadMessageW(::GetCurrentThreadId(), WM_QUIT, 7, 0); });
    EXPECT_EQ(library.Run(host.Handle(), folder.c_str(), "D:\\src"), L"0");
  }
  EXPECT_TRUE(TableUntouched());
  MSG message;
  ASSERT_TRUE(::PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.wParam, 7u);
  // No state is kept: the next call runs afresh.
  EXPECT_EQ(library.Run(host.Handle(), folder.c_str(), "D:\\src"), L"D:\\src\\");
  EXPECT_TRUE(TableDetached());
}

TEST_F(DoIt, TheHostOwnsTheWindowAndIsDisabledWhileItIsUp) {
  const std::string folder = WorkFolder();
  HWND owner = reinterpret_cast<HWND>(1);
  BOOL hostEnabled = TRUE;
  {
    const auto hooks = WhenShown([&](HWND form) {
      owner = ::GetWindow(form, GW_OWNER);
      hostEnabled = ::IsWindowEnabled(host.Handle());
    });
    EXPECT_EQ(library.Run(host.Handle(), folder.c_str(), "D:\\src"), L"D:\\src\\");
  }
  EXPECT_EQ(owner, host.Handle());
  EXPECT_FALSE(hostEnabled);
  EXPECT_TRUE(::IsWindowEnabled(host.Handle()));
}

TEST_F(DoIt, AHiddenHostIsShownAndDisabledForTheRunAndEnabledBeforeItIsHiddenAgain) {
  const std::string folder = WorkFolder();
  HostWindow hidden(false);
  const HWND owner = hidden.Handle();
  auto shownAndDisabled = [owner] { return ::IsWindowVisible(owner) && !::IsWindowEnabled(owner); };
  bool atShow = false, atStart = false, enabledWhenHidden = false;
  int hides = 0;
  {
    const HostThreadHooks hooks(
        [&](MSG& taken) {
          if (taken.message == WM_TIMER && IsProgressWindow(taken.hwnd))
            atStart = shownAndDisabled();
        },
        [&](const CWPSTRUCT& sent) {
          if (Shows(sent) && IsProgressWindow(sent.hwnd)) atShow = shownAndDisabled();
          if (sent.hwnd == owner && sent.message == WM_WINDOWPOSCHANGING &&
              (reinterpret_cast<const WINDOWPOS*>(sent.lParam)->flags & SWP_HIDEWINDOW) != 0) {
            ++hides;
            enabledWhenHidden = ::IsWindowEnabled(owner) != FALSE;
          }
        });
    EXPECT_EQ(library.Run(owner, folder.c_str(), "D:\\src"), L"D:\\src\\");
  }
  EXPECT_TRUE(atShow);
  EXPECT_TRUE(atStart);
  EXPECT_EQ(hides, 1);
  EXPECT_TRUE(enabledWhenHidden);
  EXPECT_FALSE(::IsWindowVisible(owner));
  EXPECT_TRUE(::IsWindowEnabled(owner));
  EXPECT_TRUE(TableDetached());
}

TEST_F(DoIt, WithoutAHostWindowTheWindowIsUnownedAndTheJobRuns) {
  const std::string folder = WorkFolder();
  HWND owner = reinterpret_cast<HWND>(1);
  {
    const auto hooks = WhenShown([&](HWND form) { owner = ::GetWindow(form, GW_OWNER); });
    EXPECT_EQ(library.Run(nullptr, folder.c_str(), "D:\\src"), L"D:\\src\\");
  }
  EXPECT_EQ(owner, nullptr);
  EXPECT_TRUE(TableDetached());
}

// The handler as a host's framework calls it (on x86_64: object, message).
struct FrameworkMessage {
  UINT Msg;
  WPARAM wParam;
  LPARAM lParam;
  LRESULT Result;
};

TEST_F(DoIt, TheHostIsToldWhenItGainsAndLosesTheLibrary) {
  const std::string folder = WorkFolder();
  EXPECT_EQ(library.Run(host.Handle(), folder.c_str(), "D:\\src"), L"D:\\src\\");
  const auto& messages = host.OwnerMessages();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0].wParam, 0u);  // gained
  EXPECT_EQ(messages[1].wParam, 1u);  // lost
  EXPECT_EQ(messages[0].lParam, messages[1].lParam);
  // The record: the settings-change handler, then its object.
  void* const* record = reinterpret_cast<void* const*>(messages[0].lParam);
  ASSERT_NE(record[0], nullptr);
  ASSERT_NE(record[1], nullptr);
#if defined(__x86_64__)
  using Handler = bool (*)(void*, FrameworkMessage*);
  FrameworkMessage message{WM_SETTINGCHANGE, 0, 0, 0};
  EXPECT_FALSE(reinterpret_cast<Handler>(record[0])(record[1], &message));
  EXPECT_EQ(message.Result, 0);
#endif
}

TEST_F(DoIt, EachCallShowsAFreshWindowWithItsOwnResult) {
  const std::string folder = WorkFolder();
  EXPECT_EQ(library.Run(host.Handle(), folder.c_str(), "first"), L"first\\");
  {
    const auto hooks = WhenShown([](HWND form) { ::PostMessageW(form, WM_CLOSE, 0, 0); });
    EXPECT_EQ(library.Run(host.Handle(), folder.c_str(), "second"), L"0");
  }
  EXPECT_EQ(library.Run(host.Handle(), folder.c_str(), "third"), L"third\\");
  EXPECT_EQ(::FindWindowW(kFormClass, nullptr), nullptr);
}

// Open kernel handles, counted by probing handle values (Wine reports no
// handle count).
int OpenHandles() {
  int open = 0;
  for (std::uintptr_t value = 4; value < 0x4000; value += 4) {
    DWORD flags;
    if (::GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) ++open;
  }
  return open;
}

TEST_F(DoIt, ManyCallsLeaveNoHandlesBehind) {
  const std::string folder = WorkFolder();
  const auto hooks = WhenShown([](HWND form) { ::PostMessageW(form, WM_CLOSE, 0, 0); });
  auto closeAtOnce = [&] { return library.Run(host.Handle(), folder.c_str(), "D:\\src"); };
  closeAtOnce();  // first-call allocations of the platform are not ours
  const int before = OpenHandles();
  int zeros = 0;
  for (int call = 0; call < 200; ++call) zeros += closeAtOnce() == L"0";
  EXPECT_EQ(zeros, 200);
  EXPECT_LE(OpenHandles(), before + 2);  // a little slack for the platform
}

TEST(DoItUnload, MessagesToTheFormerHostAfterUnloadingAreHarmless) {
  HostWindow host;
  TempFolder work;
  work.MakeFolder(L"TempLateTemp");
  {
    Library library;
    ASSERT_TRUE(library.Loaded());
    EXPECT_EQ(library.Run(host.Handle(), ToAnsi(work.Path()).c_str(), "D:\\src"), L"D:\\src\\");
  }
  ::SendMessageW(host.Handle(), WM_THEMECHANGED, 0, 0);
  ::SendMessageW(host.Handle(), WM_SETTINGCHANGE, 0, 0);
  ::SendMessageW(host.Handle(), WM_SYSCOLORCHANGE, 0, 0);
  EXPECT_TRUE(::IsWindow(host.Handle()));
}

}  // namespace
