// The debug strings this process sends (OutputDebugStringA/W), collected
// through the system's DBWIN_BUFFER protocol as a debug viewer collects them.
// One collector at a time per session.
#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testing_support {

class DebugStrings {
 public:
  DebugStrings();
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
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::vector<std::string> received_;
  std::thread listener_;
};

}  // namespace testing_support
