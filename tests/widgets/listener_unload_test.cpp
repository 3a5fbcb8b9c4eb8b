// The theme listener must never outlive the library that placed it: after a
// call the host's window is its own again, and where the host placed a
// procedure of its own after the listener, the library stays loaded rather
// than leave that procedure chaining into unmapped code.
#include <gtest/gtest.h>

#include "gdi_test_support.h"

namespace {

using widgets::testing::TestWindow;

using BeginCall = int (*)(HWND);
using Listened = HWND (*)();
using EndCall = void (*)();

template <typename Fn>
Fn Get(HMODULE module, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}

struct Probe {
  Probe() : module(::LoadLibraryW(L"widgets_probe.dll")) {
    begin = Get<BeginCall>(module, "ProbeBeginCall");
    listened = Get<Listened>(module, "ProbeListenedWindow");
    end = Get<EndCall>(module, "ProbeEndCall");
  }
  bool Loaded() const { return begin && listened && end; }
  HMODULE module;
  BeginCall begin = nullptr;
  Listened listened = nullptr;
  EndCall end = nullptr;
};

int g_hostMessages = 0;
WNDPROC g_chained = nullptr;
LRESULT CALLBACK HostSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ++g_hostMessages;
  return ::CallWindowProcW(g_chained, window, message, wParam, lParam);
}

bool AnswersMessages(HWND window) {
  ::SendMessageW(window, WM_THEMECHANGED, 0, 0);
  ::SendMessageW(window, WM_SETTINGCHANGE, 0, 0);
  ::SetWindowTextW(window, L"answers");
  wchar_t text[16] = {};
  ::GetWindowTextW(window, text, 16);
  return std::wstring(text) == L"answers";
}

TEST(ThemeListenerUnload, AfterACallTheLibraryUnloadsAndLeavesTheHostsProcedure) {
  TestWindow host;
  TestWindow form(host.get());
  const LONG_PTR own = ::GetWindowLongPtrW(host.get(), GWLP_WNDPROC);
  Probe probe;
  ASSERT_TRUE(probe.Loaded());
  EXPECT_EQ(probe.begin(form.get()), 0);  // classic under Wine
  EXPECT_EQ(probe.listened(), host.get());
  EXPECT_NE(::GetWindowLongPtrW(host.get(), GWLP_WNDPROC), own);
  probe.end();
  EXPECT_EQ(::GetWindowLongPtrW(host.get(), GWLP_WNDPROC), own);

  ASSERT_TRUE(::FreeLibrary(probe.module));
  EXPECT_EQ(::GetModuleHandleW(L"widgets_probe.dll"), nullptr);
  EXPECT_TRUE(AnswersMessages(host.get()));
}

TEST(ThemeListenerUnload, AProcedurePlacedAfterTheListenerKeepsWorkingAfterUnload) {
  TestWindow host;
  TestWindow form(host.get());
  Probe probe;
  ASSERT_TRUE(probe.Loaded());
  probe.begin(form.get());
  g_chained = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(host.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HostSubclass)));
  probe.end();
  EXPECT_EQ(::GetWindowLongPtrW(host.get(), GWLP_WNDPROC),
            reinterpret_cast<LONG_PTR>(&HostSubclass));

  ::FreeLibrary(probe.module);
  // The listener still chains to the window's first procedure: the library
  // stays in memory.
  EXPECT_NE(::GetModuleHandleW(L"widgets_probe.dll"), nullptr);
  g_hostMessages = 0;
  EXPECT_TRUE(AnswersMessages(host.get()));
  EXPECT_GE(g_hostMessages, 3);
  // The host takes its procedure off again.
  ::SetWindowLongPtrW(host.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_chained));
  EXPECT_TRUE(AnswersMessages(host.get()));
}

TEST(ThemeListenerUnload, AnOwnerDestroyedDuringTheCallTakesTheListenerWithIt) {
  Probe probe;
  ASSERT_TRUE(probe.Loaded());
  {
    TestWindow host;
    TestWindow form(host.get());
    probe.begin(form.get());
    EXPECT_EQ(probe.listened(), host.get());
  }
  probe.end();
  EXPECT_TRUE(::FreeLibrary(probe.module));
  EXPECT_EQ(::GetModuleHandleW(L"widgets_probe.dll"), nullptr);
}

}  // namespace
