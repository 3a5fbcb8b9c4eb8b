#include "widgets/bitmap_button.h"

#include <vssym32.h>

#include "widgets/core/frames.h"
#include "widgets/core/hsl240.h"
#include "widgets/gdi_canvas.h"
#include "widgets/text_paint.h"
#include "widgets/theme_api.h"
#include "widgets/win_geometry.h"
#include "win/dc_guards.h"
#include "win/module_instance.h"
#include "win/window_class.h"
#include "win/window_routing.h"

namespace widgets {
namespace {

win::ClassSlot g_buttonClass{L"QeshRzBitBtn"};
constexpr UINT kCaptionFlags = DT_CENTER | DT_EXPANDTABS | DT_WORDBREAK;

bool ModifierHeld() {
  return (::GetKeyState(VK_SHIFT) & 0x8000) != 0 || (::GetKeyState(VK_CONTROL) & 0x8000) != 0 ||
         (::GetKeyState(VK_MENU) & 0x8000) != 0;
}

}  // namespace

TRzBitBtn::TRzBitBtn(WidgetParent& parent, BitBtnSettings settings)
    : parent_(parent), settings_(std::move(settings)) {
  settings_.numGlyphs =
      NumGlyphsForGlyph(settings_.glyph.width, settings_.glyph.height, settings_.numGlyphs);
}

std::unique_ptr<TRzBitBtn> TRzBitBtn::Create(WidgetParent& parent, Rect bounds,
                                             BitBtnSettings settings) {
  std::unique_ptr<TRzBitBtn> button(new TRzBitBtn(parent, std::move(settings)));
  button->class_ = win::WindowClass(
      g_buttonClass, win::RoutedProc<TRzBitBtn, &TRzBitBtn::window_, &TRzBitBtn::HandleMessage>,
      ::LoadCursorW(nullptr, IDC_ARROW));
  if (!button->class_) return nullptr;
  DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS;
  if (!button->settings_.enabled) style |= WS_DISABLED;
  const HWND window = ::CreateWindowExW(
      0, button->class_.Name(), button->settings_.caption.c_str(), style, bounds.left, bounds.top,
      bounds.Width(), bounds.Height(), parent.Handle(), nullptr, win::ThisModule(), button.get());
  if (!window) return nullptr;
  return button;
}

TRzBitBtn::~TRzBitBtn() { window_.reset(); }

bool TRzBitBtn::Enabled() const {
  return window_.get() ? ::IsWindowEnabled(window_.get()) != FALSE : settings_.enabled;
}

void TRzBitBtn::SetEnabled(bool enabled) {
  settings_.enabled = enabled;
  if (!enabled) hot_ = false;
  if (window_.get()) ::EnableWindow(window_.get(), enabled ? TRUE : FALSE);
  Repaint();
}

void TRzBitBtn::SetGlyph(Glyph glyph) {
  settings_.glyph = std::move(glyph);
  settings_.numGlyphs =
      NumGlyphsForGlyph(settings_.glyph.width, settings_.glyph.height, settings_.numGlyphs);
  Repaint();
}

void TRzBitBtn::Repaint() const {
  if (window_.get()) ::InvalidateRect(window_.get(), nullptr, FALSE);
}

bool TRzBitBtn::CanFocus() const {
  for (HWND w = window_.get(); w; w = ::GetParent(w)) {
    if (!::IsWindowVisible(w) || !::IsWindowEnabled(w)) return false;
    if ((::GetWindowLongW(w, GWL_STYLE) & WS_CHILD) == 0) break;
  }
  return window_.get() != nullptr;
}

// The default button stays the active one unless another button of ours
// has the focus.
bool TRzBitBtn::ActiveDefault() const {
  if (!settings_.isDefault) return false;
  const HWND focus = ::GetFocus();
  if (!focus || focus == window_.get()) return true;
  wchar_t name[32] = {};
  ::GetClassNameW(focus, name, 32);
  return std::wstring(name) != g_buttonClass.name;
}

bool TRzBitBtn::DialogKey(UINT virtualKey) {
  if (ModifierHeld()) return false;
  const bool take = (virtualKey == VK_RETURN && ActiveDefault() && CanFocus()) ||
                    (virtualKey == VK_ESCAPE && settings_.cancel && CanFocus());
  if (take) Click();
  return take;
}

void TRzBitBtn::Click() {
  if (settings_.setModalResult) settings_.setModalResult(settings_.modalResult);
  if (settings_.onClick) settings_.onClick();
}

PaintContext TRzBitBtn::Context() const {
  PaintContext context = parent_.Context();
  context.themeWindow = window_.get();
  return context;
}

void TRzBitBtn::PaintClassicFrame(HDC dc, const PaintContext& context, Rect client) const {
  GdiCanvas canvas(dc);
  const ColourScheme& scheme = context.scheme;
  const Rgb face = settings_.color.Resolve(scheme);
  const bool enabled = Enabled();
  canvas.Fill(client, face);
  Colour frame = settings_.color == colours::kButtonFace
                     ? RaiseLightness(colours::kButtonShadow, 30, scheme)
                     : LowerLightness(settings_.color, 80, scheme);
  if (enabled) {
    const bool focused = window_.get() && ::GetFocus() == window_.get();
    if (hot_ && settings_.hotTrack) frame = colours::kHighlight;
    if (settings_.isDefault || focused) {
      StrokeCornerlessFrame(canvas, client, colours::kDarkShadow3D.Resolve(scheme));
    }
  }
  StrokeCornerlessFrame(canvas, RectInset(client, 1), frame.Resolve(scheme));
  const Rgb inner =
      enabled && pressed_ ? LowerLightness(settings_.color, 15, scheme).Resolve(scheme) : face;
  canvas.Fill(RectInset(client, 2), inner);
}

bool TRzBitBtn::PaintThemedFrame(HDC dc, const PaintContext& context, Rect client) const {
  UniqueTheme theme(OpenTheme(context.themeWindow, L"BUTTON"));
  if (!theme) return false;
  int state = PBS_NORMAL;
  if (!Enabled()) {
    state = PBS_DISABLED;
  } else if (pressed_) {
    state = PBS_PRESSED;
  } else if (hot_ && settings_.hotTrack) {
    state = PBS_HOT;
  } else if (settings_.isDefault) {
    state = PBS_DEFAULTED;
  }
  const ThemeApi& api = Theme();
  const RECT r = ToRECT(client);
  if (api.isThemeBackgroundPartiallyTransparent(theme.get(), BP_PUSHBUTTON, state) &&
      context.themeWindow) {
    api.drawThemeParentBackground(context.themeWindow, dc, &r);
  }
  return SUCCEEDED(api.drawThemeBackground(theme.get(), dc, BP_PUSHBUTTON, state, &r, nullptr));
}

void TRzBitBtn::PaintTo(HDC dc, const PaintContext& context) const {
  win::SavedDc saved(dc);
  RECT clientRect{};
  if (window_.get()) ::GetClientRect(window_.get(), &clientRect);
  const Rect client = FromRECT(clientRect);
  const bool enabled = Enabled();
  if (!(context.visualStyles && PaintThemedFrame(dc, context, client))) {
    PaintClassicFrame(dc, context, client);
  }

  Rect content = ButtonContentRect(client);
  if (enabled && pressed_) content = RectOffset(content, 1, 1);
  const Glyph& glyph = settings_.glyph;
  const int cellWidth = GlyphCellWidth(glyph, settings_.numGlyphs);

  win::SelectGuard font(dc, settings_.font ? settings_.font : parent_.Font());
  const Rect area = CaptionArea(content, settings_.margin, cellWidth, settings_.spacing);
  const int textHeight = MeasureTextHeight(dc, settings_.caption, area, kCaptionFlags);
  const Rect caption = PlaceCaption(area, textHeight, settings_.verticalAlignment);
  if (enabled) {
    DrawTextIn(dc, settings_.caption, caption, kCaptionFlags,
               settings_.fontColor.Resolve(context.scheme));
  } else {
    DrawEmbossedText(dc, settings_.caption, caption, kCaptionFlags,
                     colours::kButtonHighlight.Resolve(context.scheme),
                     colours::kButtonShadow.Resolve(context.scheme));
  }
  if (cellWidth > 0) {
    GdiCanvas canvas(dc);
    DrawGlyphCell(canvas, glyph, GlyphCellIndex(enabled, settings_.numGlyphs), settings_.numGlyphs,
                  GlyphOrigin(content, settings_.margin, glyph.height));
  }
}

LRESULT TRzBitBtn::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND window = window_.get();
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      win::PaintDc dc(window);
      PaintTo(dc.get(), Context());
      return 0;
    }
    case WM_PRINTCLIENT:
      PaintTo(reinterpret_cast<HDC>(wParam), Context());
      return 0;
    case WM_GETDLGCODE:
      return DLGC_BUTTON | (settings_.isDefault ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    case WM_MOUSEMOVE:
      if (!hot_) {
        hot_ = true;
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, window, 0};
        ::TrackMouseEvent(&track);
        if (settings_.hotTrack) Repaint();
      }
      return 0;
    case WM_MOUSELEAVE:
      hot_ = false;
      if (settings_.hotTrack) Repaint();
      return 0;
    case WM_LBUTTONDOWN:
      pressed_ = true;
      ::SetCapture(window);
      ::SetFocus(window);
      Repaint();
      return 0;
    case WM_LBUTTONUP:
      if (pressed_) {
        pressed_ = false;
        ::ReleaseCapture();
        Repaint();
        RECT client{};
        ::GetClientRect(window, &client);
        const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (::PtInRect(&client, at)) Click();
      }
      return 0;
    case WM_CAPTURECHANGED:
      if (pressed_) {
        pressed_ = false;
        Repaint();
      }
      return 0;
    case WM_KEYUP:
      if (wParam == VK_SPACE) {
        Click();
        return 0;
      }
      break;
    case WM_ENABLE:
      if (!wParam) hot_ = false;
      Repaint();
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      Repaint();
      break;
    default:
      break;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace widgets
