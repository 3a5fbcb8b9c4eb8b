// The job as the user watches it, through the real library: the bar follows
// the tables done, the window answers the system at every moment, and what a
// host can observe stays as it was (a close during the job is ignored, a quit
// message waits for the job's end, a host destroyed during the job still gets
// the whole job done).
//
// The test acts while the job runs for certain, however fast the machine:
// every folder holds a checkpoint, a file named like a table that is no table,
// which the walk reports as left alone (a debug line). The collector takes one
// line at a time, so while the test acts on checkpoint k the walk cannot get
// past checkpoint k + 1: before the last one, the job is still running.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <vector>

#include "debug_strings.h"
#include "host_thread_hooks.h"
#include "host_window.h"
#include "temp_folder.h"

namespace {

using namespace testing_support;

constexpr wchar_t kCheckpoint[] = L"CHECK.DBF";
const Bytes kNoTable = {0x03, 0x7D, 0x01, 0x01};  // shorter than a header

// A template folder of `tables` tables with the index flag set in `folders`
// folders, and a checkpoint in each folder.
class LargeTemplate {
 public:
  LargeTemplate(int tables, int folders) : folders_(folders), tables_(tables) {
    const Bytes table = MakeTable(0x01, 1);
    for (int i = 0; i < tables; ++i) {
      paths_.push_back(work.Write(
          L"TempLateTemp\\f" + std::to_wstring(i % folders) + L"\\T" + std::to_wstring(i) + L".DBF",
          table));
    }
    for (int f = 0; f < folders; ++f) {
      checkpoints_.push_back(
          work.Write(L"TempLateTemp\\f" + std::to_wstring(f) + L"\\" + kCheckpoint, kNoTable));
    }
  }
  std::string Ansi() const { return ToAnsi(work.Path()); }
  bool AllDetached() const {
    for (const auto& path : paths_) {
      if (ReadBytes(path)[kFlags] != 0x00) return false;
    }
    for (const auto& path : checkpoints_) {
      if (ReadBytes(path) != kNoTable) return false;
    }
    return true;
  }
  int Folders() const { return folders_; }
  // The least share of the job, in 1/1000, done when the walk reports the
  // k-th checkpoint (1-based): the folders before it are done.
  int PermilleDoneAt(int k) const {
    return 1000 * (k - 1) * (tables_ / folders_ + 1) / (tables_ + folders_);
  }

 private:
  TempFolder work;
  int folders_, tables_;
  std::vector<std::wstring> paths_, checkpoints_;
};

bool IsCheckpoint(const std::string& line) {
  return line.find("\\CHECK.DBF: left alone") != std::string::npos;
}

// Where the bar's field is read: a row of its field above the percentage.
struct BarStrip {
  int left = 3;  // the field in the client area, at 96 dpi
  int row = 40;
  int width = 298;
};

// The bar's filled width: the pixels of the bar colour along `strip`, read
// from the screen.
int BarFill(HWND form, const BarStrip& strip) {
  HDC screen = ::GetDC(form);
  HDC memory = ::CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = strip.width;
  info.bmiHeader.biHeight = -1;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP row = ::CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = ::SelectObject(memory, row);
  ::BitBlt(memory, 0, 0, strip.width, 1, screen, strip.left, strip.row, SRCCOPY);
  const COLORREF bar = ::GetSysColor(COLOR_HIGHLIGHT);
  const DWORD wanted = (GetRValue(bar) << 16) | (GetGValue(bar) << 8) | GetBValue(bar);
  int filled = 0;
  for (int x = 0; x < strip.width; ++x) {
    filled += (static_cast<DWORD*>(bits)[x] & 0xFFFFFF) == wanted;
  }
  ::SelectObject(memory, old);
  ::DeleteObject(row);
  ::DeleteDC(memory);
  ::ReleaseDC(form, screen);
  return filled;
}

// The fill once it shows at least `atLeast` pixels (the window paints when
// it gets to it; `waitMs` at most, while the walk is held).
int FillShowing(HWND form, const BarStrip& strip, int atLeast, int waitMs) {
  int fill = BarFill(form, strip);
  for (int i = 0; i < waitMs / 10 && fill < atLeast; ++i) {
    ::Sleep(10);
    fill = BarFill(form, strip);
  }
  return fill;
}

// Whether the window answers a message within the time after which the
// system takes a window for hung.
bool Answers(HWND form) {
  DWORD_PTR answer = 0;
  return ::SendMessageTimeoutW(form, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &answer) != 0;
}

// Waits for `done` (kPatienceMs at most).
bool WaitFor(const std::function<bool()>& done) {
  for (DWORD i = 0; i < kPatienceMs / 10 && !done(); ++i) ::Sleep(10);
  return done();
}

// What the test saw at the checkpoints; `act` runs at the `actAt`-th. Its
// fields are read once the collector has taken every line.
struct Checkpoints {
  int actAt = 0;
  std::function<bool(HWND form)> act;  // true once what it did has taken effect
  std::atomic<HWND> shown{nullptr};    // the progress window of this call
  std::atomic<int> seen{0};
  BarStrip strip;  // where the bar is read; `act` may move it
  int unanswered = 0;
  std::vector<int> fills, wanted;
  bool behind = false;
  bool acted = false;

  void At(const LargeTemplate& folder, const std::string& line) {
    if (!IsCheckpoint(line)) return;
    const int k = ++seen;
    if (unanswered > 0) return;  // the window is stuck: let the job run out
    HWND form = shown;
    if (::IsWindow(form)) {  // not when it went with a destroyed host
      if (!Answers(form)) {
        ++unanswered;
        return;
      }
      wanted.push_back((strip.width - 8) * folder.PermilleDoneAt(k) / 1000);
      fills.push_back(FillShowing(form, strip, wanted.back(), behind ? 0 : kPatienceMs));
      behind = behind || fills.back() < wanted.back();  // failed already: no more waits
    }
    if (k == actAt && act) acted = act(form);
  }
};

class JobProgress : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(library.Loaded()); }

  // Runs DoIt on `folder`, held at its checkpoints.
  std::wstring RunHeld(const LargeTemplate& folder, Checkpoints& checkpoints) {
    const auto hooks = WhenShown([&](HWND form) { checkpoints.shown = form; });
    DebugStrings lines([&](const std::string& line) { checkpoints.At(folder, line); });
    const std::wstring result = library.Run(host.Handle(), folder.Ansi().c_str(), "D:\\src");
    lines.Take();  // every line is in
    EXPECT_EQ(checkpoints.seen, folder.Folders()) << "the walk did not wait at every checkpoint";
    EXPECT_EQ(checkpoints.unanswered, 0);
    EXPECT_TRUE(checkpoints.acted) << "the test did not act while the job ran";
    return result;
  }

  Library library;
  HostWindow host;
};

TEST_F(JobProgress, TheBarFollowsTheJobTheWindowAnswersThroughoutAndACloseIsIgnored) {
  LargeTemplate folder(3000, 30);
  std::atomic<bool> closeTaken{false};
  HostThreadHooks hooks(
      [&](MSG& message) {
        if (message.message == WM_CLOSE && IsProgressWindow(message.hwnd)) closeTaken = true;
      },
      nullptr);
  ASSERT_TRUE(hooks.Installed());
  Checkpoints checkpoints;
  checkpoints.actAt = 10;
  checkpoints.act = [&](HWND form) {
    ::PostMessageW(form, WM_CLOSE, 0, 0);
    // Taken, and handled once the window answers again.
    return WaitFor([&] { return closeTaken.load(); }) && Answers(form);
  };
  EXPECT_EQ(RunHeld(folder, checkpoints), L"D:\\src\\");
  EXPECT_TRUE(folder.AllDetached());
  // Nothing for the gone window is left in the host's queue.
  MSG message;
  int leftOver = 0;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    leftOver += message.hwnd != nullptr && !::IsWindow(message.hwnd);
  }
  EXPECT_EQ(leftOver, 0);
  // At every checkpoint the bar shows at least the folders done, it never
  // goes back, and it has grown by the end.
  ASSERT_EQ(checkpoints.fills.size(), static_cast<std::size_t>(folder.Folders()));
  for (std::size_t i = 0; i < checkpoints.fills.size(); ++i) {
    EXPECT_GE(checkpoints.fills[i], checkpoints.wanted[i]) << "checkpoint " << i + 1;
    if (i > 0) {
      EXPECT_GE(checkpoints.fills[i], checkpoints.fills[i - 1]) << "checkpoint " << i + 1;
    }
  }
  EXPECT_GT(checkpoints.fills.back(), checkpoints.fills.front());
}

// The window's monitor changes its DPI during the job (the system's message
// to a per-monitor aware host's window, sent as the system would: under Wine
// every monitor has the screen's DPI). The window is built anew for 144 dpi
// at the suggested place; the bar shows the same share of the job and goes
// on following it, and the job runs to its end.
TEST_F(JobProgress, ADpiChangeDuringTheJobRebuildsTheWindowAndTheBarGoesOn) {
  LargeTemplate folder(800, 8);
  Checkpoints checkpoints;
  checkpoints.actAt = 5;  // the walk cannot pass the sixth before the test has acted
  RECT frame{}, client{};
  int before = 0, after = 0;
  checkpoints.act = [&](HWND form) {
    before = checkpoints.fills.back();
    RECT suggested{60, 40, 600, 250};
    DWORD_PTR answer = 0;
    if (!::SendMessageTimeoutW(form, WM_DPICHANGED, MAKEWPARAM(144, 144),
                               reinterpret_cast<LPARAM>(&suggested), SMTO_NORMAL, kPatienceMs,
                               &answer)) {
      return false;
    }
    ::GetWindowRect(form, &frame);
    ::GetClientRect(form, &client);
    // The bar's field at 144 dpi: x 3 to 462 inside its frame, from y 60.
    checkpoints.strip = BarStrip{3, 62, 461};
    // Painted before the change returns: read at once.
    after = BarFill(form, checkpoints.strip);
    return true;
  };
  EXPECT_EQ(RunHeld(folder, checkpoints), L"D:\\src\\");
  EXPECT_TRUE(folder.AllDetached());
  EXPECT_EQ(frame.left, 60);
  EXPECT_EQ(frame.top, 40);
  EXPECT_EQ(client.right, 466);
  EXPECT_EQ(client.bottom, 140);
  // The same share of the field right after the change (within a pixel of
  // each size's rounding, or more when the walk has gone on meanwhile) ...
  EXPECT_GT(before, 0);
  EXPECT_GE(after, before * 460 / 297 - 2);
  // ... and at every checkpoint, before and after it, at least the folders
  // done (but the last: once the walk has reported it, the job may end and
  // the window close before it is read).
  ASSERT_EQ(checkpoints.fills.size(), static_cast<std::size_t>(folder.Folders()));
  for (std::size_t i = 0; i + 1 < checkpoints.fills.size(); ++i) {
    EXPECT_GE(checkpoints.fills[i], checkpoints.wanted[i]) << "checkpoint " << i + 1;
  }
  EXPECT_GE(checkpoints.fills[6], after);
}

TEST_F(JobProgress, AQuitMessageDuringTheJobWaitsForItsEndAndReachesTheHostAfterwards) {
  LargeTemplate folder(600, 6);
  const DWORD hostThread = ::GetCurrentThreadId();
  std::atomic<bool> quitTaken{false};
  HostThreadHooks hooks([&](MSG& message) { quitTaken = quitTaken || message.message == WM_QUIT; },
                        nullptr);
  ASSERT_TRUE(hooks.Installed());
  Checkpoints checkpoints;
  checkpoints.actAt = 2;
  checkpoints.act = [&](HWND) {
    ::PostThreadMessageW(hostThread, WM_QUIT, 9, 0);
    return WaitFor([&] { return quitTaken.load(); });
  };
  EXPECT_EQ(RunHeld(folder, checkpoints), L"D:\\src\\");
  EXPECT_TRUE(folder.AllDetached());
  MSG message;
  ASSERT_TRUE(::PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.wParam, 9u);
}

TEST_F(JobProgress, AHostDestroyedDuringTheJobStillGetsTheWholeJobDone) {
  LargeTemplate folder(600, 6);
  HostWindow other;
  Checkpoints checkpoints;
  checkpoints.actAt = 2;
  // The host's window takes WM_CLOSE as DefWindowProc does: it is destroyed,
  // on its own thread, as a close would.
  checkpoints.act = [&](HWND) {
    ::PostMessageW(host.Handle(), WM_CLOSE, 0, 0);
    return WaitFor([&] { return !::IsWindow(host.Handle()); });
  };
  EXPECT_EQ(RunHeld(folder, checkpoints), L"D:\\src\\");
  EXPECT_FALSE(::IsWindow(host.Handle()));
  EXPECT_TRUE(folder.AllDetached());
  EXPECT_TRUE(::IsWindowEnabled(other.Handle()));
}

}  // namespace
