// The look rule as the platform answers it under Wine, and the listener on
// the owner window: installed at the first paint that asks, re-reading the
// look on a theme change, removed when that window goes or on shutdown.
#include "widgets/look_state.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "gdi_test_support.h"
#include "widgets/comctl_version.h"

namespace widgets {
namespace {

using testing::TestWindow;

LookInputs Themed() {
  LookInputs in;
  in.themeLibraryPresent = in.appThemed = in.themeActive = true;
  in.comctlMajor = 6;
  in.themeAppProperties = kThemeAllowControls;
  return in;
}

TEST(LookInputsUnderWine, AThemeIsActiveButCommonControlsAreVersion5SoTheLookIsClassic) {
  const LookInputs in = ReadLookInputs();
  EXPECT_TRUE(in.themeLibraryPresent);
  EXPECT_TRUE(in.themeActive);
  EXPECT_EQ(CommonControlsVersion().major, 5u);
  EXPECT_EQ(CommonControlsVersion().minor, 81u);
  EXPECT_FALSE(UseVisualStyles(in));
}

TEST(ThemeListener, ListensToTheOwnerOfThePaintersTopLevelWindow) {
  TestWindow host;
  TestWindow form(host.get());
  int reads = 0;
  LookState state([&] {
    ++reads;
    return Themed();
  });
  EXPECT_EQ(state.ListenedWindow(), nullptr);
  EXPECT_TRUE(state.VisualStyles(form.get()));
  EXPECT_EQ(state.ListenedWindow(), host.get());
  EXPECT_TRUE(state.VisualStyles(form.get()));
  EXPECT_EQ(reads, 1);  // determined once
  ::SendMessageW(host.get(), WM_THEMECHANGED, 0, 0);
  EXPECT_EQ(reads, 2);  // re-read on a theme change
  ::SendMessageW(host.get(), WM_SETTINGCHANGE, 0, 0);
  EXPECT_EQ(reads, 2);
}

TEST(ThemeListener, ReReadsTheLookWhenThePlatformAnnouncesAThemeChange) {
  TestWindow host;
  TestWindow form(host.get());
  bool themed = false;
  LookState state([&] {
    LookInputs in = Themed();
    in.themeActive = themed;
    return in;
  });
  EXPECT_FALSE(state.VisualStyles(form.get()));
  themed = true;
  EXPECT_FALSE(state.VisualStyles(form.get()));  // nothing announced yet
  ::SendMessageW(host.get(), WM_THEMECHANGED, 0, 0);
  EXPECT_TRUE(state.VisualStyles(form.get()));
}

TEST(ThemeListener, GoesAwayWithTheOwnerWindowAndAfterShutdown) {
  int reads = 0;
  LookState state([&] {
    ++reads;
    return Themed();
  });
  {
    TestWindow host;
    TestWindow form(host.get());
    state.VisualStyles(form.get());
    ASSERT_EQ(state.ListenedWindow(), host.get());
  }
  EXPECT_EQ(state.ListenedWindow(), nullptr);

  TestWindow host;
  TestWindow form(host.get());
  LookState second([&] {
    ++reads;
    return Themed();
  });
  second.VisualStyles(form.get());
  ASSERT_EQ(second.ListenedWindow(), host.get());
  const int before = reads;
  second.Shutdown();
  EXPECT_EQ(second.ListenedWindow(), nullptr);
  ::SendMessageW(host.get(), WM_THEMECHANGED, 0, 0);
  EXPECT_EQ(reads, before);  // no longer hooked
}

TEST(ThemeListener, AnUnownedWindowIsNotListenedTo) {
  TestWindow form;
  LookState state(Themed);
  EXPECT_TRUE(state.VisualStyles(form.get()));
  EXPECT_EQ(state.ListenedWindow(), nullptr);
}

TEST(ThemeListener, AReaderThatThrowsDoesNotEscapeTheHostsWindowProcedure) {
  TestWindow host;
  TestWindow form(host.get());
  bool fail = false;
  LookState state([&]() -> LookInputs {
    if (fail) throw std::runtime_error("theme state unavailable");
    return Themed();
  });
  state.VisualStyles(form.get());
  fail = true;
  ::SendMessageW(host.get(), WM_THEMECHANGED, 0, 0);
  EXPECT_TRUE(state.VisualStyles(form.get()));  // the last good answer stays
}

TEST(LookChoice, ForcedChoicesIgnoreThePlatform) {
  EXPECT_FALSE(ResolveLook(LookChoice::kClassic, nullptr));
  EXPECT_TRUE(ResolveLook(LookChoice::kVisualStyles, nullptr));
}

}  // namespace
}  // namespace widgets
