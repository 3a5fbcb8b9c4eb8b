#include "window/template_job.h"

#include <process.h>

#include "window/failure_message.h"

namespace window {

struct TemplateJob::Shared {
  Work work = nullptr;
  std::string templateDir;
  HWND window = nullptr;
  UINT message = 0;
  bool ranToEnd = false;
  std::wstring failure;
  std::size_t postedStep = static_cast<std::size_t>(-1);
};

TemplateJob::TemplateJob() = default;

TemplateJob::~TemplateJob() { Wait(); }

void TemplateJob::Start(Work work, std::string templateDir, HWND window, UINT message) {
  Wait();
  shared_ = std::make_unique<Shared>();
  shared_->work = work;
  shared_->templateDir = std::move(templateDir);
  shared_->window = window;
  shared_->message = message;
  const std::uintptr_t thread = ::_beginthreadex(nullptr, 0, ThreadMain, shared_.get(), 0, nullptr);
  thread_ = reinterpret_cast<HANDLE>(thread);
  if (thread_ == nullptr) Run(*shared_);  // no thread to be had: the walk runs here
}

unsigned __stdcall TemplateJob::ThreadMain(void* shared) {
  Run(*static_cast<Shared*>(shared));
  return 0;
}

void TemplateJob::Run(Shared& shared) noexcept {
  // Half-percent steps: every change of the rounded percentage is posted,
  // and at most 201 messages whatever the number of tables.
  const auto progress = [&shared](std::size_t done, std::size_t total) {
    const std::size_t step =
        total == 0 ? 0
                   : static_cast<std::size_t>(static_cast<unsigned long long>(done) * 200 / total);
    if (step == shared.postedStep) return;
    shared.postedStep = step;
    ::PostMessageW(shared.window, shared.message, static_cast<WPARAM>(done),
                   static_cast<LPARAM>(total));
  };
  try {
    shared.work(shared.templateDir, progress);
    shared.ranToEnd = true;
  } catch (...) {
    shared.failure = CurrentFailureMessage();
  }
}

void TemplateJob::Wait() {
  if (thread_ == nullptr) return;
  ::WaitForSingleObject(thread_, INFINITE);
  ::CloseHandle(thread_);
  thread_ = nullptr;
}

bool TemplateJob::Finish(std::wstring& failure) {
  Wait();
  if (!shared_) return false;
  const bool ranToEnd = shared_->ranToEnd;
  failure = std::move(shared_->failure);
  shared_.reset();
  return ranToEnd;
}

}  // namespace window
