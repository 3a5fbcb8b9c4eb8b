#include "host_window.h"

namespace testing_support {

HostWindow::HostWindow(bool visible) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = Procedure;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = L"QeshTestHost";
  ::RegisterClassW(&wc);
  hwnd_ = ::CreateWindowExW(0, L"QeshTestHost", L"test host", WS_OVERLAPPEDWINDOW, 20, 20, 500, 300,
                            nullptr, nullptr, wc.hInstance, this);
  if (visible) ::ShowWindow(hwnd_, SW_SHOW);
}

HostWindow::~HostWindow() {
  if (::IsWindow(hwnd_)) ::DestroyWindow(hwnd_);
}

LRESULT CALLBACK HostWindow::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    ::SetWindowLongPtrW(
        hwnd, GWLP_USERDATA,
        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
  }
  auto* self = reinterpret_cast<HostWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (message == 0xB020 && self != nullptr) {
    self->ownerMessages_.push_back({wParam, lParam});
    return 0;
  }
  return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

std::wstring Library::Run(HWND host, const char* workFolder, const char* dataSource,
                          BSTR initial) const {
  BSTR result = initial;
  DoItProc()(&result, host, workFolder, dataSource, 0);
  std::wstring text = result != nullptr ? std::wstring(result, ::SysStringLen(result)) : L"<null>";
  ::SysFreeString(result);
  return text;
}

HWND WaitForProgressWindow(DWORD timeoutMs) {
  const DWORD start = ::GetTickCount();
  while (::GetTickCount() - start < timeoutMs) {
    HWND form = ::FindWindowW(kFormClass, nullptr);
    if (form != nullptr && ::IsWindowVisible(form)) return form;
    ::Sleep(5);
  }
  return nullptr;
}

}  // namespace testing_support
