#include "window/form_accessible.h"

#include <oleacc.h>

#include <new>
#include <string>

#include "widgets/core/progress_bar_layout.h"
#include "win/made_once.h"
#include "win/system_library.h"
#include "window/accessible_view.h"

namespace window {
namespace {

// Written out: the import library's IID_IAccessible is the address of a
// thunk, not the GUID.
constexpr GUID kIidAccessible = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
constexpr GUID kIidDispatch = {
    0x00020400, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr GUID kIidUnknown = {
    0x00000000, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

struct OleaccCalls {
  LRESULT(WINAPI* lresultFromObject)(REFIID, WPARAM, IUnknown*) = nullptr;
  HRESULT(WINAPI* createStdAccessibleObject)(HWND, LONG, REFIID, void**) = nullptr;
  bool present = false;
};

// Loaded once, for the life of the process: the proxies readers hold are
// oleacc's.
OleaccCalls LoadOleacc() {
  OleaccCalls calls;
  const HMODULE module = win::LoadSystemLibrary(L"oleacc.dll");
  if (module == nullptr) return calls;
  bool ok = win::BindProc(module, "LresultFromObject", calls.lresultFromObject);
  ok = win::BindProc(module, "CreateStdAccessibleObject", calls.createStdAccessibleObject) && ok;
  calls.present = ok;
  return calls;
}

win::MadeOnce<OleaccCalls> g_oleacc;

// What a reader gets once the window has gone.
constexpr HRESULT kGone = RPC_E_DISCONNECTED;

// The child a VARIANT names: CHILDID_SELF or 1..3; -1 for anything else.
LONG ChildOf(const VARIANT& id) {
  if (id.vt != VT_I4) return -1;
  return id.lVal >= CHILDID_SELF && id.lVal <= kAccessibleChildren ? id.lVal : -1;
}

void SetChild(VARIANT* out, LONG child) {
  ::VariantInit(out);
  out->vt = VT_I4;
  out->lVal = child;
}

HRESULT GiveText(const std::wstring& text, BSTR* out) {
  if (text.empty()) return S_FALSE;
  *out = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

const AccessibleElement* ElementOf(const AccessibleView& view, LONG child) {
  switch (child) {
    case kChildLabel:
      return &view.label;
    case kChildBar:
      return &view.bar;
    case kChildButton:
      return &view.button;
    default:
      return nullptr;
  }
}

bool Contains(const RECT& r, LONG x, LONG y) {
  return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

// The client area's object. It holds only the window's handle: every answer
// comes from the window's own thread (AccessibleView), so it may be called
// on any thread, and after the window is gone every call fails. Nothing
// thrown leaves a method.
class FormAccessible final : public IAccessible {
 public:
  explicit FormAccessible(HWND window) : window_(window) {}

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (out == nullptr) return E_POINTER;
    if (iid == kIidUnknown || iid == kIidDispatch || iid == kIidAccessible) {
      *out = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override {
    return static_cast<ULONG>(::InterlockedIncrement(&references_));
  }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = ::InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  // IDispatch: no type information; readers use the vtable.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    if (info != nullptr) *info = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    if (parent == nullptr) return E_POINTER;
    *parent = nullptr;
    AccessibleView view;
    if (!Read(view)) return kGone;
    const OleaccCalls& oleacc = g_oleacc.Get(LoadOleacc);
    if (!oleacc.present) return S_FALSE;
    return oleacc.createStdAccessibleObject(window_, OBJID_WINDOW, kIidDispatch,
                                            reinterpret_cast<void**>(parent));
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    AccessibleView view;
    if (!Read(view)) return kGone;
    *count = kAccessibleChildren;
    return S_OK;
  }
  // The children are simple elements of this object.
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT id, IDispatch** child) override {
    if (child == nullptr) return E_POINTER;
    *child = nullptr;
    AccessibleView view;
    if (!Read(view)) return kGone;
    return ChildOf(id) > CHILDID_SELF ? S_FALSE : E_INVALIDARG;
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT id, BSTR* name) override {
    return Text(id, name, [](const AccessibleView& view, LONG child) -> std::wstring {
      if (child == CHILDID_SELF) return view.title;
      return ElementOf(view, child)->name;
    });
  }
  // The bar's value is its percentage as the bar shows it.
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT id, BSTR* value) override {
    return Text(id, value, [](const AccessibleView& view, LONG child) -> std::wstring {
      if (child != kChildBar) return {};
      const std::string text = widgets::PercentText(view.percent);
      return std::wstring(text.begin(), text.end());
    });
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT id, BSTR* text) override {
    return Text(id, text, Nothing);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT id, VARIANT* role) override {
    return AboutChild(id, role, [](const AccessibleView&, LONG child, VARIANT* out) {
      constexpr LONG kRoles[] = {ROLE_SYSTEM_CLIENT, ROLE_SYSTEM_STATICTEXT,
                                 ROLE_SYSTEM_PROGRESSBAR, ROLE_SYSTEM_PUSHBUTTON};
      SetChild(out, kRoles[child]);
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT id, VARIANT* state) override {
    return AboutChild(id, state, [](const AccessibleView& view, LONG child, VARIANT* out) {
      LONG bits = view.visible ? 0 : STATE_SYSTEM_INVISIBLE;
      if (child == CHILDID_SELF) bits |= STATE_SYSTEM_FOCUSABLE;
      if (child == kChildLabel || child == kChildBar) bits |= STATE_SYSTEM_READONLY;
      if (child == kChildButton) {
        bits |= view.buttonEnabled ? STATE_SYSTEM_FOCUSABLE : STATE_SYSTEM_UNAVAILABLE;
        if (view.buttonDefault) bits |= STATE_SYSTEM_DEFAULT;
      }
      SetChild(out, bits);
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT id, BSTR* help) override {
    return Text(id, help, Nothing);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT id, LONG* topic) override {
    if (topic != nullptr) *topic = 0;
    return Text(id, file, Nothing);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT id, BSTR* shortcut) override {
    return Text(id, shortcut, Nothing);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override { return NoChild(focus); }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    return NoChild(selection);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT id, BSTR* action) override {
    return Text(id, action, Nothing);
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG, VARIANT) override { return DISP_E_MEMBERNOTFOUND; }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                        VARIANT id) override {
    if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) {
      return E_POINTER;
    }
    *left = *top = *width = *height = 0;
    AccessibleView view;
    if (!Read(view)) return kGone;
    const LONG child = ChildOf(id);
    if (child < 0) return E_INVALIDARG;
    const RECT r = child == CHILDID_SELF ? view.client : ElementOf(view, child)->screen;
    *left = r.left;
    *top = r.top;
    *width = r.right - r.left;
    *height = r.bottom - r.top;
    return S_OK;
  }
  // Among the children, in their order; into them from the client area.
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
    return AboutChild(start, end, [direction](const AccessibleView&, LONG from, VARIANT* out) {
      LONG to = 0;
      if (from == CHILDID_SELF) {
        if (direction == NAVDIR_FIRSTCHILD) to = kChildLabel;
        if (direction == NAVDIR_LASTCHILD) to = kChildButton;
      } else if (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN) {
        to = from + 1;
      } else if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP) {
        to = from - 1;
      }
      if (to < kChildLabel || to > kChildButton) return S_FALSE;
      SetChild(out, to);
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* at) override {
    if (at == nullptr) return E_POINTER;
    ::VariantInit(at);
    AccessibleView view;
    if (!Read(view)) return kGone;
    for (LONG child = kChildLabel; child <= kChildButton; ++child) {
      if (Contains(ElementOf(view, child)->screen, x, y)) {
        SetChild(at, child);
        return S_OK;
      }
    }
    if (!Contains(view.client, x, y)) return S_FALSE;
    SetChild(at, CHILDID_SELF);
    return S_OK;
  }
  // The button is never enabled: nothing to do.
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT) override { return DISP_E_MEMBERNOTFOUND; }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  ~FormAccessible() = default;

  static std::wstring Nothing(const AccessibleView&, LONG) { return {}; }

  bool Read(AccessibleView& view) const noexcept {
    try {
      return ReadAccessibleView(window_, view);
    } catch (...) {
      return false;
    }
  }

  // A text of the window or a child: S_FALSE and null when there is none.
  template <typename Get>
  HRESULT Text(const VARIANT& id, BSTR* out, Get get) const noexcept {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    try {
      AccessibleView view;
      if (!Read(view)) return kGone;
      const LONG child = ChildOf(id);
      if (child < 0) return E_INVALIDARG;
      return GiveText(get(view, child), out);
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }

  // An answer about the window (CHILDID_SELF) or one of its children, given
  // in `out` by `give`.
  template <typename Give>
  HRESULT AboutChild(const VARIANT& id, VARIANT* out, Give give) const noexcept {
    if (out == nullptr) return E_POINTER;
    ::VariantInit(out);
    try {
      AccessibleView view;
      if (!Read(view)) return kGone;
      const LONG child = ChildOf(id);
      if (child < 0) return E_INVALIDARG;
      return give(view, child, out);
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }

  HRESULT NoChild(VARIANT* out) const {
    if (out == nullptr) return E_POINTER;
    ::VariantInit(out);
    AccessibleView view;
    return Read(view) ? S_FALSE : kGone;
  }

  const HWND window_;
  LONG references_ = 1;
};

}  // namespace

LRESULT AnswerClientObject(HWND window, WPARAM wParam) noexcept {
  const OleaccCalls* oleacc = nullptr;
  try {
    oleacc = &g_oleacc.Get(LoadOleacc);
  } catch (...) {
    return 0;
  }
  if (!oleacc->present) return 0;
  auto* object = new (std::nothrow) FormAccessible(window);
  if (object == nullptr) return 0;
  const LRESULT answer = oleacc->lresultFromObject(kIidAccessible, wParam, object);
  object->Release();
  // A reader may hold the object (and call its code) for as long as it
  // likes: the library stays loaded for the life of the process.
  if (answer > 0) {
    HMODULE self = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                         reinterpret_cast<const wchar_t*>(&AnswerClientObject), &self);
  }
  return answer > 0 ? answer : 0;
}

void NotifyBarValueChanged(HWND window) noexcept {
  ::NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, window, OBJID_CLIENT, kChildBar);
}

}  // namespace window
