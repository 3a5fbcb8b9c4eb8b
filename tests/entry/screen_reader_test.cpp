// The progress window as a screen reader finds it, through the real library:
// a reader on a thread of its own (as readers call from outside the window's
// thread) asks the window for its client area's object (MSAA), walks its
// children and listens for changes of the bar's value.
#include <gtest/gtest.h>

#include <oleacc.h>

#include <algorithm>
#include <atomic>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "host_thread_hooks.h"
#include "host_window.h"
#include "temp_folder.h"

namespace {

using namespace testing_support;

// The import library's IID_IAccessible is a thunk's address: written out.
constexpr GUID kIidAccessible = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

VARIANT Child(LONG id) {
  VARIANT v;
  ::VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = id;
  return v;
}

// A text of the object, "<none>" when it has none, "<error>" when it failed.
template <typename Get>
std::wstring TextOf(Get get) {
  BSTR text = nullptr;
  const HRESULT hr = get(&text);
  if (FAILED(hr)) return L"<error>";
  std::wstring result = text != nullptr ? std::wstring(text, ::SysStringLen(text)) : L"<none>";
  ::SysFreeString(text);
  return result;
}

struct Element {
  LONG role = -1;
  LONG state = -1;
  std::wstring name, value;
  RECT where{};
};

Element Read(IAccessible* object, LONG id) {
  Element e;
  VARIANT v;
  ::VariantInit(&v);
  if (SUCCEEDED(object->get_accRole(Child(id), &v)) && v.vt == VT_I4) e.role = v.lVal;
  ::VariantClear(&v);
  if (SUCCEEDED(object->get_accState(Child(id), &v)) && v.vt == VT_I4) e.state = v.lVal;
  ::VariantClear(&v);
  e.name = TextOf([&](BSTR* out) { return object->get_accName(Child(id), out); });
  e.value = TextOf([&](BSTR* out) { return object->get_accValue(Child(id), out); });
  LONG x = 0, y = 0, w = 0, h = 0;
  if (SUCCEEDED(object->accLocation(&x, &y, &w, &h, Child(id)))) e.where = RECT{x, y, x + w, y + h};
  return e;
}

// The calling thread's COM state: its apartment, or the error that says it
// has none.
struct ComState {
  HRESULT hr;
  APTTYPE type;
  APTTYPEQUALIFIER qualifier;
  bool operator==(const ComState& o) const {
    return hr == o.hr && type == o.type && qualifier == o.qualifier;
  }
};
ComState ThreadComState() {
  ComState state{};
  state.hr = ::CoGetApartmentType(&state.type, &state.qualifier);
  return state;
}

// Takes the thread's messages until `done` is set (30 s at most): a reader's
// calls into the window's thread arrive as messages.
void PumpUntil(HANDLE done) {
  for (int turn = 0; turn < 30000; ++turn) {
    if (::MsgWaitForMultipleObjects(1, &done, FALSE, 1000, QS_ALLINPUT) == WAIT_OBJECT_0) return;
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
  }
}

// What the reader found while the window was up, and once it had gone.
struct Reading {
  bool gotObject = false;
  LONG count = -1;
  std::vector<LONG> childIds;
  Element self;
  std::vector<Element> children;
  HRESULT valueAfter = S_OK, countAfter = S_OK, locationAfter = S_OK;
  unsigned char foreign[1024] = {};
  DWORD_PTR foreignAnswer = 1;
};

TEST(ScreenReader, FindsTheLabelTheBarAndTheButtonAndAnErrorOnceTheWindowIsGone) {
  Library library;
  HostWindow host;
  TempFolder work;
  Reading reading;
  std::atomic<bool> read{false};
  HANDLE gone = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE finished = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  ASSERT_NE(gone, nullptr);
  ASSERT_NE(finished, nullptr);
  const ComState before = ThreadComState();
  std::thread reader;
  RECT client{};
  HostThreadHooks hooks(
      [&](MSG& message) {
        HWND form = ::FindWindowW(kFormClass, nullptr);
        if (form == nullptr || !::IsWindowVisible(form)) return;
        if (!reader.joinable()) {
          ::GetClientRect(form, &client);
          ::MapWindowPoints(form, nullptr, reinterpret_cast<POINT*>(&client), 2);
          reader = std::thread([&, form] {
            ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
            IAccessible* object = nullptr;
            reading.gotObject =
                SUCCEEDED(::AccessibleObjectFromWindow(form, OBJID_CLIENT, kIidAccessible,
                                                       reinterpret_cast<void**>(&object))) &&
                object != nullptr;
            if (reading.gotObject) {
              object->get_accChildCount(&reading.count);
              VARIANT children[8];
              LONG obtained = 0;
              if (SUCCEEDED(::AccessibleChildren(object, 0, 8, children, &obtained))) {
                for (LONG i = 0; i < obtained; ++i) {
                  reading.childIds.push_back(children[i].vt == VT_I4 ? children[i].lVal : -1);
                  ::VariantClear(&children[i]);
                }
              }
              reading.self = Read(object, CHILDID_SELF);
              for (LONG id : reading.childIds) reading.children.push_back(Read(object, id));
            }
            // Another program may send the window the message the object
            // asks with: without this process's key it names no memory.
            const UINT ask = ::RegisterWindowMessageW(L"qesh_deleteIndex_dbf accessible view");
            DWORD_PTR answer = 1;
            ::SendMessageTimeoutW(form, ask, 0, reinterpret_cast<LPARAM>(reading.foreign),
                                  SMTO_NORMAL, 30000, &answer);
            reading.foreignAnswer = answer;
            ::PostMessageW(form, WM_CLOSE, 0, 0);
            read = true;
            // Held past the window's end, then asked again.
            ::WaitForSingleObject(gone, 30000);
            if (object != nullptr) {
              BSTR value = nullptr;
              reading.valueAfter = object->get_accValue(Child(2), &value);
              ::SysFreeString(value);
              reading.countAfter = object->get_accChildCount(&reading.count);
              LONG x, y, w, h;
              reading.locationAfter = object->accLocation(&x, &y, &w, &h, Child(3));
              object->Release();
            }
            ::CoUninitialize();
            ::SetEvent(finished);
          });
        }
        // The job does not start while the reader reads.
        if (!read && message.message == WM_TIMER && message.hwnd == form) {
          message.message = WM_NULL;
        }
      },
      nullptr);
  ASSERT_TRUE(hooks.Installed());
  EXPECT_EQ(library.Run(host.Handle(), ToAnsi(work.Path()).c_str(), "D:\\src"), L"0");
  const ComState after = ThreadComState();
  ::SetEvent(gone);
  if (reader.joinable()) {
    PumpUntil(finished);
    reader.join();
  }
  ::CloseHandle(gone);
  ::CloseHandle(finished);

  ASSERT_TRUE(reading.gotObject);
  EXPECT_EQ(reading.self.role, ROLE_SYSTEM_CLIENT);
  EXPECT_EQ(reading.self.name, L"\u5220\u9664DBF\u6570\u636e\u5e93\u7d22\u5f15");
  EXPECT_EQ(reading.self.where.left, client.left);
  EXPECT_EQ(reading.self.where.bottom, client.bottom);
  ASSERT_EQ(reading.childIds, (std::vector<LONG>{1, 2, 3}));
  ASSERT_EQ(reading.children.size(), 3u);
  const Element& label = reading.children[0];
  const Element& bar = reading.children[1];
  const Element& button = reading.children[2];
  EXPECT_EQ(label.role, ROLE_SYSTEM_STATICTEXT);
  EXPECT_EQ(label.name, L"\u6570\u636e\u6e90\u5904\u7406\u4e2d\u8bf7\u7a0d\u5019...");
  EXPECT_EQ(label.state, STATE_SYSTEM_READONLY);
  EXPECT_EQ(bar.role, ROLE_SYSTEM_PROGRESSBAR);
  EXPECT_EQ(bar.value, L"0%");
  EXPECT_EQ(bar.state, STATE_SYSTEM_READONLY);
  EXPECT_EQ(button.role, ROLE_SYSTEM_PUSHBUTTON);
  EXPECT_EQ(button.name, L"\u786e\u5b9a");
  EXPECT_EQ(button.state, STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_DEFAULT);
  // Where each is on the screen: the label (2, 2) and the bar (2, 38) on the
  // client panel, the button (104, 0) on the bottom panel at (0, 64).
  const auto at = [&](int x, int y, int w, int h) {
    return RECT{client.left + x, client.top + y, client.left + x + w, client.top + y + h};
  };
  const auto same = [](const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
  };
  EXPECT_TRUE(same(label.where, at(2, 2, 299, 36)));
  EXPECT_TRUE(same(bar.where, at(2, 38, 299, 24)));
  EXPECT_TRUE(same(button.where, at(104, 64, 75, 25)));
  EXPECT_EQ(reading.foreignAnswer, 0u);
  EXPECT_EQ(std::count(std::begin(reading.foreign), std::end(reading.foreign), 0), 1024);
  // Once the window is gone the object answers with an error.
  EXPECT_TRUE(FAILED(reading.valueAfter));
  EXPECT_TRUE(FAILED(reading.countAfter));
  EXPECT_TRUE(FAILED(reading.locationAfter));
  // The host thread's COM state is as the host left it.
  EXPECT_TRUE(before == after);
}

// What the reader heard: one entry per value change, with the value it read.
struct Heard {
  HWND window;
  LONG object, child;
  std::wstring value;
};
std::vector<Heard>* g_heard = nullptr;

void CALLBACK OnValueChange(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD,
                            DWORD) {
  IAccessible* accessible = nullptr;
  VARIANT id;
  ::VariantInit(&id);
  std::wstring value = L"<error>";
  if (SUCCEEDED(::AccessibleObjectFromEvent(window, object, child, &accessible, &id))) {
    value = TextOf([&](BSTR* out) { return accessible->get_accValue(id, out); });
    accessible->Release();
  }
  g_heard->push_back(Heard{window, object, child, value});
}

// 200 tables: the bar moves by half a percent per table, so it shows every
// percentage from 1% to 100% once.
TEST(ScreenReader, HearsEachNewPercentageOfTheBar) {
  Library library;
  HostWindow host;
  TempFolder work;
  const Bytes table = MakeTable(0x01, 1);
  for (int i = 0; i < 200; ++i)
    work.Write(L"TempLateTemp\\T" + std::to_wstring(i) + L".DBF", table);

  std::vector<Heard> heard;
  g_heard = &heard;
  std::atomic<DWORD> readerThread{0};
  HANDLE ready = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE finished = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  ASSERT_NE(ready, nullptr);
  ASSERT_NE(finished, nullptr);
  std::thread reader([&] {
    ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    MSG message;
    ::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue
    const HWINEVENTHOOK hook =
        ::SetWinEventHook(EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_VALUECHANGE, nullptr,
                          OnValueChange, ::GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    readerThread = ::GetCurrentThreadId();
    ::SetEvent(ready);
    while (hook != nullptr && ::GetMessageW(&message, nullptr, 0, 0) > 0) {
      ::DispatchMessageW(&message);
    }
    if (hook != nullptr) ::UnhookWinEvent(hook);
    ::CoUninitialize();
    ::SetEvent(finished);
  });
  ::WaitForSingleObject(ready, 30000);
  ::CloseHandle(ready);

  HWND shown = nullptr;
  {
    const auto hooks = WhenShown([&](HWND form) { shown = form; });
    EXPECT_EQ(library.Run(host.Handle(), ToAnsi(work.Path()).c_str(), "D:\\src"), L"D:\\src\\");
  }
  // Every change was raised before DoIt returned; the reader takes them
  // before its quit message.
  ::PostThreadMessageW(readerThread, WM_QUIT, 0, 0);
  PumpUntil(finished);
  reader.join();
  ::CloseHandle(finished);
  g_heard = nullptr;

  ASSERT_EQ(heard.size(), 100u);
  int last = 0;
  int read = 0;
  for (const Heard& h : heard) {
    EXPECT_EQ(h.window, shown);
    EXPECT_EQ(h.object, OBJID_CLIENT);
    EXPECT_EQ(h.child, 2);
    if (h.value == L"<error>") continue;  // read once the window had gone
    ++read;
    ASSERT_EQ(h.value.back(), L'%') << std::string(h.value.begin(), h.value.end());
    const int percent = std::stoi(h.value);
    EXPECT_GE(percent, last);
    EXPECT_LE(percent, 100);
    last = percent;
  }
  EXPECT_GT(read, 0);
}

}  // namespace
