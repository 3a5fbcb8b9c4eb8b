// The theme listener must not outlive the library that installed it: after
// the library is unloaded, the host's window keeps working, theme change
// included. A listener left behind would be called in unmapped code.
#include <gtest/gtest.h>

#include "gdi_test_support.h"

namespace {

using widgets::testing::TestWindow;

using FirstPaint = int (*)(HWND);
using Listened = HWND (*)();

template <typename Fn>
Fn Get(HMODULE module, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}

TEST(ThemeListenerUnload, TheHostWindowSurvivesAThemeChangeAfterTheLibraryIsGone) {
  TestWindow host;
  TestWindow form(host.get());
  HMODULE library = ::LoadLibraryW(L"widgets_probe.dll");
  ASSERT_NE(library, nullptr);
  const auto firstPaint = Get<FirstPaint>(library, "ProbeFirstPaint");
  const auto listened = Get<Listened>(library, "ProbeListenedWindow");
  ASSERT_NE(firstPaint, nullptr);
  ASSERT_NE(listened, nullptr);

  EXPECT_EQ(firstPaint(form.get()), 0);  // classic under Wine
  EXPECT_EQ(listened(), host.get());
  // While loaded the listener passes messages on.
  ::SetWindowTextW(host.get(), L"before");
  ::SendMessageW(host.get(), WM_THEMECHANGED, 0, 0);

  ASSERT_TRUE(::FreeLibrary(library));
  EXPECT_EQ(::GetModuleHandleW(L"widgets_probe.dll"), nullptr);
  ::SendMessageW(host.get(), WM_THEMECHANGED, 0, 0);
  ::SendMessageW(host.get(), WM_SETTINGCHANGE, 0, 0);
  ::SetWindowTextW(host.get(), L"after");
  wchar_t text[16] = {};
  ::GetWindowTextW(host.get(), text, 16);
  EXPECT_STREQ(text, L"after");
}

TEST(ThemeListenerUnload, AnOwnerDestroyedFirstTakesTheListenerWithIt) {
  HMODULE library = ::LoadLibraryW(L"widgets_probe.dll");
  ASSERT_NE(library, nullptr);
  const auto firstPaint = Get<FirstPaint>(library, "ProbeFirstPaint");
  const auto listened = Get<Listened>(library, "ProbeListenedWindow");
  {
    TestWindow host;
    TestWindow form(host.get());
    firstPaint(form.get());
    EXPECT_EQ(listened(), host.get());
  }
  EXPECT_EQ(listened(), nullptr);
  EXPECT_TRUE(::FreeLibrary(library));
}

}  // namespace
