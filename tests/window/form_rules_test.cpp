// The progress window's layout scaling, centring and error-box texts.
#include <gtest/gtest.h>

#include "window/error_text.h"
#include "window/form_layout.h"

namespace window {
namespace {

TEST(FormLayout, TheDesignFitsTogether) {
  const FormLayout f;
  EXPECT_EQ(f.clientPanel.height + f.bottomPanel.height, f.clientHeight);
  // Label and bar fill the client panel inside its 2-pixel groove.
  EXPECT_EQ(f.label.top + f.label.height, f.bar.top);
  EXPECT_EQ(f.bar.top + f.bar.height + 2, f.clientPanel.height);
  EXPECT_EQ(f.label.width + 4, f.clientPanel.width);
  EXPECT_EQ(ScaleToTextHeight(f, 13), f);
}

TEST(FormLayout, ScalesByTheRealisedTextHeightKeepingEdgesTogether) {
  const FormLayout f = ScaleToTextHeight(FormLayout{}, 16);
  EXPECT_EQ(f.clientWidth, 373);  // 303 * 16 / 13 = 372.9
  EXPECT_EQ(f.clientHeight, 112);
  EXPECT_EQ(f.labelFontHeight, 15);  // 12 * 16 / 13 = 14.8
  EXPECT_EQ(f.bar, (Bounds{2, 47, 368, 29}));
  EXPECT_EQ(f.button, (Bounds{128, 0, 92, 31}));
  // Touching controls keep touching after rounding.
  EXPECT_EQ(f.label.top + f.label.height, f.bar.top);
  EXPECT_EQ(f.clientPanel.top + f.clientPanel.height, f.bottomPanel.top);
  EXPECT_EQ(f.bottomPanel.top + f.bottomPanel.height, f.clientHeight);
  // A smaller substitute font shrinks it likewise.
  EXPECT_EQ(ScaleToTextHeight(FormLayout{}, 12).clientWidth, 280);
}

TEST(FormLayout, FontHeightFollowsTheScreenDpi) {
  EXPECT_EQ(FontHeightForDpi(13, 96), 13);
  EXPECT_EQ(FontHeightForDpi(13, 120), 16);  // 16.25
  EXPECT_EQ(FontHeightForDpi(13, 144), 20);  // 19.5 rounds away from zero
  EXPECT_EQ(FontHeightForDpi(13, 192), 26);
  EXPECT_EQ(MulDivRound(-7, 1, 2), -4);
  EXPECT_EQ(MulDivRound(7, 1, 2), 4);
  EXPECT_EQ(MulDivRound(5, 3, 0), -1);
}

TEST(FormLayout, CentresOnTheMonitorWithoutGoingPastItsTopLeftCorner) {
  const Point p = CentreOnMonitor(Area{0, 0, 1280, 1024}, 309, 117);
  EXPECT_EQ(p.x, 485);
  EXPECT_EQ(p.y, 453);
  const Point small = CentreOnMonitor(Area{0, 0, 200, 100}, 309, 117);
  EXPECT_EQ(small.x, 0);
  EXPECT_EQ(small.y, 0);
  const Point left = CentreOnMonitor(Area{-2560, -360, 0, 1080}, 309, 117);
  EXPECT_EQ(left.x, -2560 + 1125);
  EXPECT_EQ(left.y, -360 + 661);
  const Point smallLeft = CentreOnMonitor(Area{-200, 50, 0, 150}, 309, 117);
  EXPECT_EQ(smallLeft.x, -200);
  EXPECT_EQ(smallLeft.y, 50);
}

TEST(FormLayout, TheMonitorShowingAWindowIsTheOneItOverlapsMostOrElseTheNearest) {
  const std::vector<Monitor> monitors = {{Area{0, 0, 1920, 1080}, true},
                                         {Area{-2560, 0, 0, 1440}, false},
                                         {Area{0, -1080, 1920, 0}, false}};
  const Area onPrimary{100, 100, 700, 500}, onLeft{-2000, 200, -1500, 600};
  const Area mostlyLeft{-400, 10, 100, 300}, mostlyAbove{100, -500, 500, 20};
  const Area farRight{4000, 500, 4400, 800}, farAbove{-1000, -3000, -600, -2800};
  EXPECT_EQ(MonitorShowing(monitors, &onPrimary), 0);
  EXPECT_EQ(MonitorShowing(monitors, &onLeft), 1);
  EXPECT_EQ(MonitorShowing(monitors, &mostlyLeft), 1);
  EXPECT_EQ(MonitorShowing(monitors, &mostlyAbove), 2);
  EXPECT_EQ(MonitorShowing(monitors, &farRight), 0);
  EXPECT_EQ(MonitorShowing(monitors, &farAbove), 2);
  EXPECT_EQ(MonitorShowing(monitors, nullptr), 0);
  const std::vector<Monitor> primarySecond = {monitors[1], monitors[0]};
  EXPECT_EQ(MonitorShowing(primarySecond, nullptr), 1);
  EXPECT_EQ(MonitorShowing({}, &onPrimary), -1);
  EXPECT_EQ(MonitorShowing({}, nullptr), -1);
}

TEST(ErrorText, AppendsAFullStopOnlyAfterCharactersSortingAfterIt) {
  EXPECT_EQ(WithFullStop(L"Not enough timers available"), L"Not enough timers available.");
  EXPECT_EQ(WithFullStop(L""), L"");
  EXPECT_EQ(WithFullStop(L"Done."), L"Done.");
  EXPECT_EQ(WithFullStop(L"What?"), L"What?.");  // '?' sorts after '.'
  EXPECT_EQ(WithFullStop(L"Stop!"), L"Stop!");   // '!' sorts before '.'
  EXPECT_EQ(WithFullStop(L"50%"), L"50%");
  EXPECT_EQ(WithFullStop(L"\u5931\u8d25"), L"\u5931\u8d25.");
}

TEST(ErrorText, TitleIsTheProgramNameCutAtItsFirstDot) {
  EXPECT_EQ(ProgramTitle(L"C:\\Program Files\\Qesh\\QeshMain.exe"), L"QeshMain");
  EXPECT_EQ(ProgramTitle(L"C:\\a.b\\host.v2.exe"), L"host");
  EXPECT_EQ(ProgramTitle(L"host"), L"host");
  EXPECT_EQ(ProgramTitle(L"C:\\dir\\"), L"");
}

}  // namespace
}  // namespace window
