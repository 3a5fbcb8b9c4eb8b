#include "debug_strings.h"

#include <cstring>
#include <stdexcept>

namespace testing_support {
namespace {

constexpr DWORD kBufferSize = 4096;
constexpr char kMarker[] = "testing_support: end of strings";

}  // namespace

DebugStrings::DebugStrings(LineAction onLine) : onLine_(std::move(onLine)) {
  bufferReady_ = ::CreateEventW(nullptr, FALSE, FALSE, L"DBWIN_BUFFER_READY");
  dataReady_ = ::CreateEventW(nullptr, FALSE, FALSE, L"DBWIN_DATA_READY");
  mapping_ = ::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kBufferSize,
                                  L"DBWIN_BUFFER");
  if (mapping_) {
    view_ = static_cast<const char*>(::MapViewOfFile(mapping_, FILE_MAP_READ, 0, 0, kBufferSize));
  }
  if (!bufferReady_ || !dataReady_ || !view_) {
    Release();
    throw std::runtime_error("cannot listen to debug strings");
  }
  listener_ = std::thread([this] { Listen(); });
}

DebugStrings::~DebugStrings() {
  stop_ = true;
  if (listener_.joinable()) listener_.join();
  Release();
}

void DebugStrings::Release() {
  if (view_) ::UnmapViewOfFile(view_);
  if (mapping_) ::CloseHandle(mapping_);
  if (dataReady_) ::CloseHandle(dataReady_);
  if (bufferReady_) ::CloseHandle(bufferReady_);
  view_ = nullptr;
  mapping_ = dataReady_ = bufferReady_ = nullptr;
}

void DebugStrings::Listen() {
  ::SetEvent(bufferReady_);
  while (!stop_) {
    if (::WaitForSingleObject(dataReady_, 50) != WAIT_OBJECT_0) continue;
    // The sender's process id, then the text. The buffer is shared by every
    // process of the session: only this process's lines count.
    DWORD sender = 0;
    std::memcpy(&sender, view_, sizeof sender);
    const char* text = view_ + sizeof(DWORD);
    if (sender == ::GetCurrentProcessId()) {
      std::string line(text, strnlen(text, kBufferSize - sizeof(DWORD)));
      if (onLine_ && line != kMarker) onLine_(line);
      const std::lock_guard<std::mutex> lock(mutex_);
      received_.push_back(std::move(line));
    }
    ::SetEvent(bufferReady_);
  }
}

std::vector<std::string> DebugStrings::Take(const std::string& prefix) {
  ::OutputDebugStringA(kMarker);
  std::vector<std::string> all;
  for (int wait = 0; wait < 200; ++wait) {
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      if (!received_.empty() && received_.back() == kMarker) {
        all.swap(received_);
        break;
      }
    }
    ::Sleep(10);
  }
  std::vector<std::string> lines;
  for (std::string& line : all) {
    if (line == kMarker || line.compare(0, prefix.size(), prefix) != 0) continue;
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace testing_support
