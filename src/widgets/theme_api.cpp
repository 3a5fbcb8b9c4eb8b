#include "widgets/theme_api.h"

#include "widgets/system_library.h"

namespace widgets {
namespace {

ThemeApi Load() {
  ThemeApi api;
  const HMODULE module = LoadSystemLibrary(L"uxtheme.dll");
  if (!module) return api;
  bool ok = BindProc(module, "IsAppThemed", api.isAppThemed);
  ok = BindProc(module, "IsThemeActive", api.isThemeActive) && ok;
  ok = BindProc(module, "GetThemeAppProperties", api.getThemeAppProperties) && ok;
  ok = BindProc(module, "OpenThemeData", api.openThemeData) && ok;
  ok = BindProc(module, "CloseThemeData", api.closeThemeData) && ok;
  ok = BindProc(module, "DrawThemeBackground", api.drawThemeBackground) && ok;
  ok = BindProc(module, "DrawThemeParentBackground", api.drawThemeParentBackground) && ok;
  ok = BindProc(module, "IsThemeBackgroundPartiallyTransparent",
                api.isThemeBackgroundPartiallyTransparent) &&
       ok;
  api.present = ok;
  return api;
}

}  // namespace

const ThemeApi& Theme() {
  static const ThemeApi api = Load();
  return api;
}

UniqueTheme::UniqueTheme(HWND window, const wchar_t* classList) {
  const ThemeApi& api = Theme();
  if (api.present) theme_ = api.openThemeData(window, classList);
}

UniqueTheme::~UniqueTheme() {
  if (theme_) Theme().closeThemeData(theme_);
}

}  // namespace widgets
