// A host's side of the library for the Windows tests: a real top-level host
// window that records the messages the library sends it, the loaded library,
// and a watcher thread that acts on the progress window while DoIt runs.
#pragma once

#include <windows.h>

#include <oleauto.h>  // after windows.h, which it needs

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "qesh_library.h"

namespace testing_support {

inline constexpr wchar_t kFormClass[] = L"TForm_DeleteDBFIndex";

// Bounds for waits on a window, another thread or process; never reached
// when all goes well.
inline constexpr DWORD kPatienceMs = 30000;

// A visible top-level window that records every 0xB020 message it receives.
class HostWindow {
 public:
  struct OwnerMessage {
    WPARAM wParam;
    LPARAM lParam;
  };

  explicit HostWindow(bool visible = true);
  ~HostWindow();
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;

  HWND Handle() const { return hwnd_; }
  const std::vector<OwnerMessage>& OwnerMessages() const { return ownerMessages_; }

 private:
  static LRESULT CALLBACK Procedure(HWND, UINT, WPARAM, LPARAM);
  HWND hwnd_ = nullptr;
  std::vector<OwnerMessage> ownerMessages_;
};

// The library, loaded from the folder of the test program as a host loads it.
class Library : public QeshLibrary {
 public:
  // Calls DoIt and returns its result ("<null>" when the slot stayed null).
  std::wstring Run(HWND host, const char* workFolder, const char* dataSource,
                   BSTR initial = nullptr) const;
};

// The visible progress window, waited for up to `timeoutMs`; null if none.
HWND WaitForProgressWindow(DWORD timeoutMs = 30000);

// Runs `action` on a thread of its own; joined when the watcher goes.
class Watcher {
 public:
  explicit Watcher(std::function<void()> action) : thread_(std::move(action)) {}
  ~Watcher() { thread_.join(); }
  Watcher(const Watcher&) = delete;
  Watcher& operator=(const Watcher&) = delete;

 private:
  std::thread thread_;
};

}  // namespace testing_support
