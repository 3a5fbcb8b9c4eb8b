// The job starts about a second after the progress window is shown, never
// sooner: watched from the host's thread, which runs the window and takes the
// start timer's message (the job starts inside its dispatch), so the moments
// are exact whatever the machine's load.
#include <gtest/gtest.h>

#include <optional>

#include "host_thread_hooks.h"
#include "host_window.h"
#include "temp_folder.h"

namespace {

using namespace testing_support;
using std::chrono::milliseconds;

TEST(StartDelay, TheJobStartsNoSoonerThanASecondAfterTheWindowIsShown) {
  Library library;
  ASSERT_TRUE(library.Loaded());
  HostWindow host;
  TempFolder work;
  const std::wstring table = work.Write(L"TempLateTemp\\CUSTOMER.DBF", MakeTable(0x01));
  const std::wstring index = work.Write(L"TempLateTemp\\CUSTOMER.MDX", {1, 2});

  // The window is shown when its position change says so; the job starts in
  // the dispatch of the window's timer message, after it was taken, and not
  // before: the index file is still there then.
  std::optional<Clock::time_point> shown;
  std::optional<Clock::time_point> timerTaken;
  bool jobBeforeShown = false;
  bool jobBeforeTimer = false;
  HostThreadHooks hooks(
      [&](MSG& message) {
        if (shown && !timerTaken && message.message == WM_TIMER && IsProgressWindow(message.hwnd)) {
          timerTaken = Clock::now();
          jobBeforeTimer = !FileExists(index);
        }
      },
      [&](const CWPSTRUCT& message) {
        if (!shown && IsProgressWindow(message.hwnd) && Shows(message)) {
          shown = Clock::now();
          jobBeforeShown = !FileExists(index);
        }
      });
  ASSERT_TRUE(hooks.Installed());

  EXPECT_EQ(library.Run(host.Handle(), ToAnsi(work.Path()).c_str(), "D:\\src"), L"D:\\src\\");

  EXPECT_FALSE(FileExists(index)) << "the job did not run";
  ASSERT_TRUE(shown) << "the window was never shown";
  EXPECT_FALSE(jobBeforeShown);
  ASSERT_TRUE(timerTaken) << "the window's start timer never came";
  EXPECT_FALSE(jobBeforeTimer);
  const auto waited = std::chrono::duration_cast<milliseconds>(*timerTaken - *shown);
  EXPECT_GE(waited.count(), 900) << "the job started " << waited.count()
                                 << " ms after the window was shown";
}

}  // namespace
