// The blinking-label list: its hidden timer window lives exactly as long as
// the list has members, and only blinking labels react to a tick.
#include "widgets/blink_list.h"

#include <gtest/gtest.h>

#include "classic_scheme.h"
#include "gdi_test_support.h"
#include "widgets/label.h"
#include "widgets/panel.h"
#include "win/dc_guards.h"

namespace widgets {
namespace {

using testing::TestWindow;

std::unique_ptr<TRzPanel> MakePanel(HWND parent) {
  PanelSettings settings;
  settings.scheme = &ClassicScheme();
  settings.lookChoice = LookChoice::kClassic;
  return TRzPanel::Create(parent, Rect{0, 0, 100, 40}, settings);
}

void Tick() { ::SendMessageW(BlinkTimerWindow(), WM_TIMER, kBlinkTimerId, 0); }

TEST(BlinkList, TheTimerWindowComesWithTheFirstLabelAndGoesWithTheLast) {
  ASSERT_EQ(BlinkListSize(), 0u);
  ASSERT_EQ(BlinkTimerWindow(), nullptr);
  TestWindow form;
  auto panel = MakePanel(form.get());
  ASSERT_TRUE(panel);
  panel->Add<TRzLabel>(Rect{0, 0, 50, 20}, Align::kNone, LabelSettings{});
  const HWND timerWindow = BlinkTimerWindow();
  ASSERT_NE(timerWindow, nullptr);
  EXPECT_TRUE(::IsWindow(timerWindow));
  EXPECT_EQ(BlinkListSize(), 1u);
  panel->Add<TRzLabel>(Rect{0, 20, 50, 40}, Align::kNone, LabelSettings{});
  EXPECT_EQ(BlinkListSize(), 2u);
  EXPECT_EQ(BlinkTimerWindow(), timerWindow);  // one window for all

  // A second panel's label joins the same list.
  auto other = MakePanel(form.get());
  other->Add<TRzLabel>(Rect{}, Align::kClient, LabelSettings{});
  EXPECT_EQ(BlinkListSize(), 3u);
  other.reset();
  EXPECT_EQ(BlinkListSize(), 2u);
  EXPECT_TRUE(::IsWindow(timerWindow));

  panel.reset();
  EXPECT_EQ(BlinkListSize(), 0u);
  EXPECT_EQ(BlinkTimerWindow(), nullptr);
  EXPECT_FALSE(::IsWindow(timerWindow));
}

TEST(BlinkList, TheTimerTicksEvery500MillisecondsOnItsWindow) {
  TestWindow form;
  auto panel = MakePanel(form.get());
  LabelSettings blinking;
  blinking.blinking = true;
  TRzLabel& label = panel->Add<TRzLabel>(Rect{0, 0, 50, 20}, Align::kNone, blinking);
  // A real tick arrives through the message loop within about a second.
  const DWORD start = ::GetTickCount();
  MSG msg;
  while (label.TextShown() && ::GetTickCount() - start < 10000) {
    if (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::DispatchMessageW(&msg);
    } else {
      ::Sleep(10);
    }
  }
  EXPECT_FALSE(label.TextShown());
  EXPECT_GE(::GetTickCount() - start, 400u);
}

TEST(BlinkList, OnlyBlinkingLabelsReactToATick) {
  TestWindow form;
  auto panel = MakePanel(form.get());
  LabelSettings plain;
  plain.caption = L"plain";
  LabelSettings blinking = plain;
  blinking.blinking = true;
  TRzLabel& still = panel->Add<TRzLabel>(Rect{0, 0, 50, 20}, Align::kNone, plain);
  TRzLabel& blinker = panel->Add<TRzLabel>(Rect{0, 20, 50, 40}, Align::kNone, blinking);
  Tick();
  EXPECT_TRUE(still.TextShown());
  EXPECT_FALSE(blinker.TextShown());
  Tick();
  EXPECT_TRUE(still.TextShown());
  EXPECT_TRUE(blinker.TextShown());
  // A hidden blinker shows its text again when it stops blinking.
  Tick();
  blinker.SetBlinking(false);
  EXPECT_TRUE(blinker.TextShown());
  Tick();
  EXPECT_TRUE(blinker.TextShown());
}

TEST(BlinkList, AnUnalignedAutoSizeLabelTakesTheSizeOfItsText) {
  TestWindow form;
  auto panel = MakePanel(form.get());
  LabelSettings settings;
  settings.caption = L"Hello";
  TRzLabel& label = panel->Add<TRzLabel>(Rect{5, 6, 200, 100}, Align::kNone, settings);
  win::WindowDc screen(panel->Handle());
  win::SelectGuard font(screen.get(), panel->Font());
  SIZE size{};
  ::GetTextExtentPoint32W(screen.get(), L"Hello", 5, &size);
  EXPECT_EQ(label.Bounds(), (Rect{5, 6, 5 + size.cx, 6 + size.cy}));
  settings.autoSize = false;
  TRzLabel& fixed = panel->Add<TRzLabel>(Rect{5, 6, 200, 100}, Align::kNone, settings);
  EXPECT_EQ(fixed.Bounds(), (Rect{5, 6, 200, 100}));
}

}  // namespace
}  // namespace widgets
