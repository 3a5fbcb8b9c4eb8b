// The debug strings this process sends (OutputDebugStringA/W), collected
// through the system's DBWIN_BUFFER protocol as a debug viewer collects them.
// One collector at a time per session.
//
// The protocol lets one string through at a time: a sender waits until the
// collector has taken the string before. `onLine` runs for each of this
// process's strings before the next one may be sent, so a sender that
// reports again waits there (for at most the system's 10 s, after which its
// string is dropped): a test acts on a sender at a known point of its work.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testing_support {

class DebugStrings {
 public:
  using LineAction = std::function<void(const std::string&)>;
  explicit DebugStrings(LineAction onLine = {});
  ~DebugStrings();
  DebugStrings(const DebugStrings&) = delete;
  DebugStrings& operator=(const DebugStrings&) = delete;

  // Every string received so far that starts with `prefix`, without its line
  // end. Strings sent before the call are all in (a marker string is sent
  // and waited for), and are taken out of the collector.
  std::vector<std::string> Take(const std::string& prefix = "");

 private:
  void Listen();
  void Release();

  HANDLE bufferReady_ = nullptr;
  HANDLE dataReady_ = nullptr;
  HANDLE mapping_ = nullptr;
  const char* view_ = nullptr;
  LineAction onLine_;
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::vector<std::string> received_;
  std::thread listener_;
};

}  // namespace testing_support
