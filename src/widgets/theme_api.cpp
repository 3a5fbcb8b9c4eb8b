#include "widgets/theme_api.h"

namespace widgets {
namespace {

// GetProcAddress's FARPROC to the real signature, through the generic
// function pointer type that -Wcast-function-type accepts.
template <typename Fn>
bool Bind(HMODULE module, const char* name, Fn& out) {
  const FARPROC proc = ::GetProcAddress(module, name);
  out = reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(proc));
  return proc != nullptr;
}

ThemeApi Load() {
  ThemeApi api;
  const HMODULE module = ::LoadLibraryW(L"uxtheme.dll");
  if (!module) return api;
  bool ok = Bind(module, "IsAppThemed", api.isAppThemed);
  ok = Bind(module, "IsThemeActive", api.isThemeActive) && ok;
  ok = Bind(module, "GetThemeAppProperties", api.getThemeAppProperties) && ok;
  ok = Bind(module, "OpenThemeData", api.openThemeData) && ok;
  ok = Bind(module, "CloseThemeData", api.closeThemeData) && ok;
  ok = Bind(module, "DrawThemeBackground", api.drawThemeBackground) && ok;
  ok = Bind(module, "DrawThemeParentBackground", api.drawThemeParentBackground) && ok;
  ok = Bind(module, "IsThemeBackgroundPartiallyTransparent",
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
