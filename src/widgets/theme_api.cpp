#include "widgets/theme_api.h"

#include "win/made_once.h"
#include "win/system_library.h"

namespace widgets {
namespace {

ThemeApi Load() {
  ThemeApi api;
  const HMODULE module = win::LoadSystemLibrary(L"uxtheme.dll");
  if (!module) return api;
  bool ok = win::BindProc(module, "IsAppThemed", api.isAppThemed);
  ok = win::BindProc(module, "IsThemeActive", api.isThemeActive) && ok;
  ok = win::BindProc(module, "GetThemeAppProperties", api.getThemeAppProperties) && ok;
  ok = win::BindProc(module, "OpenThemeData", api.openThemeData) && ok;
  ok = win::BindProc(module, "CloseThemeData", api.closeThemeData) && ok;
  ok = win::BindProc(module, "DrawThemeBackground", api.drawThemeBackground) && ok;
  ok = win::BindProc(module, "DrawThemeParentBackground", api.drawThemeParentBackground) && ok;
  ok = win::BindProc(module, "IsThemeBackgroundPartiallyTransparent",
                     api.isThemeBackgroundPartiallyTransparent) &&
       ok;
  api.present = ok;
  return api;
}

win::MadeOnce<ThemeApi> g_api;

}  // namespace

const ThemeApi& Theme() { return g_api.Get(Load); }

HTHEME OpenTheme(HWND window, const wchar_t* classList) {
  const ThemeApi& api = Theme();
  return api.present ? api.openThemeData(window, classList) : nullptr;
}

bool ThemeTraits::Close(HTHEME theme) { return Theme().closeThemeData(theme) == S_OK; }

}  // namespace widgets
