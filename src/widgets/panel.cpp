#include "widgets/panel.h"

#include "widgets/gdi_canvas.h"
#include "widgets/system_colours.h"
#include "widgets/text_paint.h"
#include "widgets/win_geometry.h"
#include "win/dc_guards.h"
#include "win/module_instance.h"
#include "win/window_class.h"
#include "win/window_routing.h"

namespace widgets {
namespace {
win::ClassSlot g_panelClass{L"QeshRzPanel"};
}  // namespace

void PaintOnlyWidget::SetBounds(Rect bounds) {
  if (bounds == bounds_) return;
  Invalidate();
  bounds_ = bounds;
  BoundsChanged();
  Invalidate();
}

void PaintOnlyWidget::Invalidate() const { parent_.InvalidateArea(bounds_); }

TRzPanel::TRzPanel(PanelSettings settings) : settings_(std::move(settings)) {}

std::unique_ptr<TRzPanel> TRzPanel::Create(HWND parent, Rect bounds, PanelSettings settings) {
  std::unique_ptr<TRzPanel> panel(new TRzPanel(std::move(settings)));
  panel->class_ = win::WindowClass(
      g_panelClass, win::RoutedProc<TRzPanel, &TRzPanel::window_, &TRzPanel::HandleMessage>,
      ::LoadCursorW(nullptr, IDC_ARROW));
  if (!panel->class_) return nullptr;
  const HWND window = ::CreateWindowExW(
      WS_EX_CONTROLPARENT, panel->class_.Name(), panel->settings_.caption.c_str(),
      WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, bounds.left, bounds.top,
      bounds.Width(), bounds.Height(), parent, nullptr, win::ThisModule(), panel.get());
  if (!window) return nullptr;
  panel->window_.reset(window);
  return panel;
}

TRzPanel::~TRzPanel() {
  windows_.clear();
  graphics_.clear();
  window_.reset();
}

Rect TRzPanel::ClientRect() const {
  RECT r{};
  if (window_.get()) ::GetClientRect(window_.get(), &r);
  return FromRECT(r);
}

Rect TRzPanel::ChildArea() const {
  return FramedContentArea(ClientRect(), settings_.look.frames, FrameFlavour::kPanel);
}

const ColourScheme& TRzPanel::Scheme() const {
  return settings_.scheme ? *settings_.scheme : SystemScheme();
}

HFONT TRzPanel::Font() const { return FontOrDefault(settings_.font); }

PaintContext TRzPanel::Context() const {
  return PaintContext{Scheme(), ResolveLook(settings_.lookChoice, window_.get()), window_.get()};
}

void TRzPanel::AdoptGraphic(std::unique_ptr<PaintOnlyWidget> widget) {
  PaintOnlyWidget& adopted = *widget;
  graphics_.push_back(std::move(widget));
  Realign();
  adopted.Invalidate();
}

void TRzPanel::AdoptWindow(std::unique_ptr<ChildWindow> window) {
  windows_.push_back(std::move(window));
}

void TRzPanel::Realign() {
  Rect area = ChildArea();
  for (auto& child : graphics_) {
    const Rect b = child->Bounds();
    if (child->Alignment() == Align::kTop) {
      child->SetBounds(Rect{area.left, area.top, area.right, area.top + b.Height()});
      area.top += b.Height();
    }
  }
  for (auto& child : graphics_) {
    const Rect b = child->Bounds();
    if (child->Alignment() == Align::kBottom) {
      child->SetBounds(Rect{area.left, area.bottom - b.Height(), area.right, area.bottom});
      area.bottom -= b.Height();
    }
  }
  for (auto& child : graphics_) {
    if (child->Alignment() == Align::kClient) child->SetBounds(area);
  }
}

void TRzPanel::InvalidateArea(Rect area) const {
  if (!window_.get()) return;
  const RECT r = ToRECT(area);
  ::InvalidateRect(window_.get(), &r, FALSE);
}

void TRzPanel::PaintTo(HDC dc, const PaintContext& context) const {
  win::SavedDc saved(dc);
  const Rect client = ClientRect();
  GdiCanvas canvas(dc);
  const Rect inner = PaintPanelBody(canvas, client, settings_.look, context.scheme);
  if (!settings_.caption.empty()) {
    win::SelectGuard font(dc, Font());
    DrawTextIn(dc, settings_.caption, inner, DT_CENTER | DT_VCENTER | DT_SINGLELINE,
               settings_.fontColor.Resolve(context.scheme));
  }
  for (const auto& child : graphics_) {
    const Rect b = child->Bounds();
    if (b.Empty()) continue;
    win::SavedDc childState(dc);
    ::IntersectClipRect(dc, b.left, b.top, b.right, b.bottom);
    ::OffsetViewportOrgEx(dc, b.left, b.top, nullptr);
    child->Paint(dc, context);
  }
}

void TRzPanel::PaintBuffered(HDC dc) const {
  // Drawn off-screen and copied in one piece, so that a repaint (the bar
  // advancing) never shows the panel's fill where a child paints next.
  const Rect client = ClientRect();
  win::UniqueMemoryDc memory(::CreateCompatibleDC(dc));
  win::UniqueBitmap bitmap(::CreateCompatibleBitmap(dc, client.Width(), client.Height()));
  if (!memory || !bitmap) {
    PaintTo(dc, Context());  // no off-screen bitmap: straight onto the screen
    return;
  }
  win::SelectGuard selectBitmap(memory.get(), bitmap.get());
  PaintTo(memory.get(), Context());
  ::BitBlt(dc, 0, 0, client.Width(), client.Height(), memory.get(), 0, 0, SRCCOPY);
}

LRESULT TRzPanel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND window = window_.get();
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT covers every pixel
    case WM_PAINT: {
      win::PaintDc dc(window);
      PaintBuffered(dc.get());
      return 0;
    }
    case WM_PRINTCLIENT:
      PaintTo(reinterpret_cast<HDC>(wParam), Context());
      return 0;
    case WM_SIZE:
      Realign();
      ::InvalidateRect(window, nullptr, FALSE);
      break;
    default:
      break;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace widgets
