// The look rule as the platform answers it under Wine, and the listener on
// the owner window: installed at the first paint that asks, re-reading the
// look after a theme change, removed when that window goes or at the end of
// the call, without ever taking a later procedure off the window.
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
  ::SendMessageW(host.get(), WM_SETTINGCHANGE, 0, 0);
  state.VisualStyles(form.get());
  EXPECT_EQ(reads, 1);
  ::SendMessageW(host.get(), WM_THEMECHANGED, 0, 0);
  state.VisualStyles(form.get());
  EXPECT_EQ(reads, 2);  // re-read after a theme change
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
  const LONG_PTR listening = ::GetWindowLongPtrW(host.get(), GWLP_WNDPROC);
  second.Shutdown();
  EXPECT_EQ(second.ListenedWindow(), nullptr);
  EXPECT_NE(::GetWindowLongPtrW(host.get(), GWLP_WNDPROC), listening);  // no longer hooked
}

// A host window's own procedure, counting what reaches it.
int g_hostMessages = 0;
WNDPROC g_beforeHost = nullptr;
LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ++g_hostMessages;
  return ::CallWindowProcW(g_beforeHost, window, message, wParam, lParam);
}

TEST(ThemeListener, TheCallsEndGivesTheHostItsOwnProcedureBack) {
  TestWindow host;
  TestWindow form(host.get());
  const LONG_PTR own = ::GetWindowLongPtrW(host.get(), GWLP_WNDPROC);
  {
    LookScope call(Themed);
    EXPECT_TRUE(VisualStylesInUse(form.get()));
    EXPECT_NE(::GetWindowLongPtrW(host.get(), GWLP_WNDPROC), own);
  }
  EXPECT_EQ(::GetWindowLongPtrW(host.get(), GWLP_WNDPROC), own);
}

TEST(ThemeListener, AProcedurePlacedAfterTheListenerIsNeverTakenOff) {
  TestWindow host;
  TestWindow form(host.get());
  {
    LookScope call(Themed);
    VisualStylesInUse(form.get());
    g_beforeHost = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(host.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingProc)));
  }
  EXPECT_EQ(::GetWindowLongPtrW(host.get(), GWLP_WNDPROC),
            reinterpret_cast<LONG_PTR>(&CountingProc));
  g_hostMessages = 0;
  ::SendMessageW(host.get(), WM_THEMECHANGED, 0, 0);
  EXPECT_EQ(g_hostMessages, 1);
  // The host takes its procedure off again: the chain still reaches the
  // window's first procedure through the inert listener.
  ::SetWindowLongPtrW(host.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_beforeHost));
  ::SetWindowTextW(host.get(), L"still answers");
  wchar_t text[32] = {};
  ::GetWindowTextW(host.get(), text, 32);
  EXPECT_STREQ(text, L"still answers");
  // A later call listens through the listener still in the chain.
  LookScope call(Themed);
  VisualStylesInUse(form.get());
  EXPECT_EQ(call.State().ListenedWindow(), host.get());
}

TEST(ThemeListener, NestedCallsEachListenToTheirOwnHost) {
  TestWindow outerHost, innerHost;
  TestWindow outerForm(outerHost.get()), innerForm(innerHost.get());
  LookScope outer(Themed);
  VisualStylesInUse(outerForm.get());
  {
    LookScope inner(Themed);
    VisualStylesInUse(innerForm.get());
    EXPECT_EQ(inner.State().ListenedWindow(), innerHost.get());
  }
  EXPECT_EQ(outer.State().ListenedWindow(), outerHost.get());
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
  EXPECT_TRUE(::IsWindow(host.get()));
}

TEST(LookChoice, ForcedChoicesIgnoreThePlatform) {
  EXPECT_FALSE(ResolveLook(LookChoice::kClassic, nullptr));
  EXPECT_TRUE(ResolveLook(LookChoice::kVisualStyles, nullptr));
}

}  // namespace
}  // namespace widgets
