// The job as the user watches it, through the real library: the bar fills as
// tables are done, the window answers the system at every moment, and what a
// host can observe stays as it was (a close during the job is ignored, a quit
// message waits for the job's end, a host destroyed during the job still gets
// the whole job done).
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "host_window.h"
#include "temp_folder.h"

namespace {

using namespace testing_support;

constexpr std::size_t kFlags = 28;

// A template folder of `tables` tables with the index flag set, in `folders`
// folders.
class LargeTemplate {
 public:
  LargeTemplate(int tables, int folders) {
    const Bytes table = MakeTable(0x01, 1);
    for (int i = 0; i < tables; ++i) {
      paths_.push_back(work.Write(
          L"TempLateTemp\\f" + std::to_wstring(i % folders) + L"\\T" + std::to_wstring(i) + L".DBF",
          table));
    }
  }
  std::string Ansi() const { return ToAnsi(work.Path()); }
  int Detached() const {
    int detached = 0;
    for (const auto& path : paths_) detached += ReadBytes(path)[kFlags] == 0x00;
    return detached;
  }
  int size() const { return static_cast<int>(paths_.size()); }

 private:
  TempFolder work;
  std::vector<std::wstring> paths_;
};

// The bar's filled width: the pixels of the bar colour along the top row of
// its field (above the percentage), read from the screen.
int BarFill(HWND form) {
  constexpr int kLeft = 3, kRight = 301, kRow = 40;  // the field in the client area
  const int width = kRight - kLeft;
  HDC screen = ::GetDC(form);
  HDC memory = ::CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -1;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP strip = ::CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = ::SelectObject(memory, strip);
  ::BitBlt(memory, 0, 0, width, 1, screen, kLeft, kRow, SRCCOPY);
  const COLORREF bar = ::GetSysColor(COLOR_HIGHLIGHT);
  const DWORD wanted = (GetRValue(bar) << 16) | (GetGValue(bar) << 8) | GetBValue(bar);
  int filled = 0;
  for (int x = 0; x < width; ++x) filled += (static_cast<DWORD*>(bits)[x] & 0xFFFFFF) == wanted;
  ::SelectObject(memory, old);
  ::DeleteObject(strip);
  ::DeleteDC(memory);
  ::ReleaseDC(form, screen);
  return filled;
}

// What a watcher saw every 50 ms while the window was up.
struct Samples {
  std::vector<int> fills;
  int unanswered = 0;  // WM_NULL not answered within 100 ms
  DWORD slowestMs = 0;
  bool acted = false;  // the action ran while the job did
};

// Samples `form` until it is gone; `during` runs once, at `atMs` after the
// bar first moved.
Samples Watch(HWND form, DWORD atMs = 0, const std::function<void()>& during = {}) {
  Samples samples;
  DWORD movedAt = 0;
  while (::IsWindow(form) && ::IsWindowVisible(form)) {
    const DWORD before = ::GetTickCount();
    DWORD_PTR answer = 0;
    if (!::SendMessageTimeoutW(form, WM_NULL, 0, 0, SMTO_NORMAL, 100, &answer)) {
      if (!::IsWindow(form)) break;
      ++samples.unanswered;
    }
    samples.slowestMs = std::max<DWORD>(samples.slowestMs, ::GetTickCount() - before);
    const int fill = BarFill(form);
    if (!::IsWindowVisible(form)) break;  // hidden while it was read
    samples.fills.push_back(fill);
    if (fill > 0 && movedAt == 0) movedAt = ::GetTickCount();
    if (during && !samples.acted && movedAt != 0 && ::GetTickCount() - movedAt >= atMs) {
      during();
      samples.acted = true;
    }
    ::Sleep(50);
  }
  return samples;
}

class JobProgress : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(library.Loaded()); }
  Library library;
  HostWindow host;
};

TEST_F(JobProgress, TheBarFillsAndTheWindowAnswersThroughoutAndACloseIsIgnored) {
  LargeTemplate folder(3000, 30);
  const std::string work = folder.Ansi();
  Samples samples;
  {
    Watcher watcher([&] {
      HWND form = WaitForProgressWindow();
      samples = Watch(form, 600, [form] { ::PostMessageW(form, WM_CLOSE, 0, 0); });
    });
    EXPECT_EQ(library.Run(host.Handle(), work.c_str(), "D:\\src"), L"D:\\src\\");
  }
  EXPECT_EQ(folder.Detached(), folder.size());
  // Nothing for the gone window is left in the host's queue.
  MSG message;
  int leftOver = 0;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    leftOver += message.hwnd != nullptr && !::IsWindow(message.hwnd);
  }
  EXPECT_EQ(leftOver, 0);
  EXPECT_TRUE(samples.acted);  // the close came while the job ran
  EXPECT_EQ(samples.unanswered, 0);
  ASSERT_FALSE(samples.fills.empty());
  // It starts empty, never goes back, and grows in several steps.
  EXPECT_EQ(samples.fills.front(), 0);
  int steps = 0;
  for (std::size_t i = 1; i < samples.fills.size(); ++i) {
    EXPECT_GE(samples.fills[i], samples.fills[i - 1]) << "sample " << i;
    steps += samples.fills[i] > samples.fills[i - 1];
  }
  EXPECT_GE(steps, 3);
}

TEST_F(JobProgress, AQuitMessageDuringTheJobWaitsForItsEndAndReachesTheHostAfterwards) {
  LargeTemplate folder(1500, 15);
  const std::string work = folder.Ansi();
  const DWORD hostThread = ::GetCurrentThreadId();
  Samples samples;
  {
    Watcher watcher([&] {
      samples = Watch(WaitForProgressWindow(), 0,
                      [hostThread] { ::PostThreadMessageW(hostThread, WM_QUIT, 9, 0); });
    });
    EXPECT_EQ(library.Run(host.Handle(), work.c_str(), "D:\\src"), L"D:\\src\\");
  }
  EXPECT_TRUE(samples.acted);
  EXPECT_EQ(folder.Detached(), folder.size());
  MSG message;
  ASSERT_TRUE(::PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.wParam, 9u);
}

TEST_F(JobProgress, AHostDestroyedDuringTheJobStillGetsTheWholeJobDone) {
  LargeTemplate folder(1500, 15);
  const std::string work = folder.Ansi();
  HostWindow other;
  Samples samples;
  {
    // The destruction comes from the host's own thread, as a close would.
    Watcher watcher([&] {
      HWND target = host.Handle();
      samples =
          Watch(WaitForProgressWindow(), 0, [target] { ::PostMessageW(target, WM_CLOSE, 0, 0); });
    });
    // The host's window takes WM_CLOSE as DefWindowProc does: it is destroyed.
    EXPECT_EQ(library.Run(host.Handle(), work.c_str(), "D:\\src"), L"D:\\src\\");
  }
  EXPECT_TRUE(samples.acted);
  EXPECT_FALSE(::IsWindow(host.Handle()));
  EXPECT_EQ(folder.Detached(), folder.size());
  EXPECT_TRUE(::IsWindowEnabled(other.Handle()));
}

}  // namespace
