// UnZipFile: the archive-extraction component that sits on the progress
// window. It is created and destroyed with the window and never started, so
// its progress notification never fires; nothing on the window depends on it.
#pragma once

#include <functional>
#include <string>

namespace window {

class TUnZip {
 public:
  // Progress of an extraction: the entry being extracted and its percentage.
  using ProgressEvent = std::function<void(const std::wstring& entry, int percent)>;

  ProgressEvent OnProgress;
};

}  // namespace window
