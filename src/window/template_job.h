// The template walk of one progress window, run on a thread of its own so
// that the window keeps answering, repainting and moving while tables are
// detached. The thread alone touches the template folder. It tells the window
// how far it got with posted messages (never waiting for the window, so the
// window may be gone), and nothing it throws leaves it: a failure is kept for
// the window to report once the thread has ended.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "tables/template_walk.h"

namespace window {

class TemplateJob {
 public:
  using Work = void (*)(const std::string& templateDir, const tables::ScanProgress& progress);

  TemplateJob();
  // Waits for the thread, if it still runs.
  ~TemplateJob();
  TemplateJob(const TemplateJob&) = delete;
  TemplateJob& operator=(const TemplateJob&) = delete;

  // Starts `work` on `templateDir`. Progress goes to `window` as `message`
  // (wParam: tables done, lParam: tables counted), posted whenever the share
  // done has moved on by half a percent, and at the start and the end. When
  // no thread can be made the work runs here and now.
  void Start(Work work, std::string templateDir, HWND window, UINT message);
  // The running thread, to wait on; null when none runs.
  HANDLE Thread() const { return thread_; }
  // Waits for the end; true when the work ran to its end. `failure` then
  // holds nothing, otherwise the failure's message.
  bool Finish(std::wstring& failure);

 private:
  struct Shared;
  void Wait();
  static unsigned __stdcall ThreadMain(void* shared);
  static void Run(Shared& shared) noexcept;

  std::unique_ptr<Shared> shared_;
  HANDLE thread_ = nullptr;
};

}  // namespace window
