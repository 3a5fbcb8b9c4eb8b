// TForm_DeleteDBFIndex: the progress window. It tells the user that the data
// source is being processed, starts the template walk one second after it is
// shown, shows the walk's progress on its bar while it answers, repaints and
// moves as usual, and closes itself with OK when the walk has ended. Closing
// it before then gives Cancel and nothing is processed; once the walk has
// started it always runs to its end.
#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "widgets/look_state.h"
#include "win/window_class.h"
#include "window/accessible_view.h"
#include "window/form_dpi.h"
#include "window/gdi_font.h"
#include "window/modal_result.h"
#include "window/monitor_layout.h"
#include "window/template_job.h"
#include "window/thread_windows.h"
#include "window/unzip_component.h"

namespace window {

class FormContents;

// Platform operations whose failures cannot be made for real; tests replace
// them to check how the window reports such failures.
struct FormHooks {
  UINT_PTR(WINAPI* setTimer)(HWND, UINT_PTR, UINT, TIMERPROC) = ::SetTimer;
  BOOL(WINAPI* killTimer)(HWND, UINT_PTR) = ::KillTimer;
  TemplateJob::Work runJob = nullptr;  // null: the template walk
  // The window's DPI as the system gives it when the window is created
  // (under Wine every window has the screen's).
  UINT (*windowDpi)(HWND) = WindowDpi;
  // The monitors the window is centred on (under Wine there is one).
  std::vector<Monitor> (*monitors)() = SystemMonitors;
};
FormHooks& Hooks();

class TForm_DeleteDBFIndex {
 public:
  // Creates the window hidden, owned by `owner` (none when null), with its
  // contents, StratTimer disarmed and UnZipFile. Throws FormError
  // when the window cannot be created.
  explicit TForm_DeleteDBFIndex(HWND owner);
  ~TForm_DeleteDBFIndex();
  TForm_DeleteDBFIndex(const TForm_DeleteDBFIndex&) = delete;
  TForm_DeleteDBFIndex& operator=(const TForm_DeleteDBFIndex&) = delete;

  // Runs the window modally; returns mrOK when the job ran to its end,
  // mrCancel when the window was closed (by the user, or destroyed with its
  // owner) or a quit message arrived before the job started. A quit message
  // is posted again for the caller's own loop once the run is over. On every
  // way out the disabled windows are enabled before the window is hidden,
  // and the window active before the run is active again.
  int ShowModal();

  HWND Handle() const { return window_.get(); }

  // 8-bit paths in the ANSI code page, as the host passed them.
  std::string FDataSourcePath;
  std::string FWorkRoot;
  std::string FResultPath;
  std::string FTemplateDir;

  TUnZip UnZipFile;

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  void FormShow();
  void StratTimerTimer();
  // The walk's thread has ended: OK, or the error box for its failure.
  void JobEnded();
  // Waits for the next message, or for the walk's thread to end.
  void WaitForWork() const;
  void UnZipFileProgress(const std::wstring& entry, int percent);
  // The error box for the failure being handled (any exception type).
  void ReportCurrentFailure() const;
  void ShowError(const std::wstring& message) const;
  // Enter and Escape for the window's default and cancel buttons.
  bool IsDialogKeyTaken(const MSG& message);
  // Shows the window centred, and a hidden owner for the run.
  void ShowCentred(ThreadWindowsDisabled& disabled);
  // Where the window's frame, of that size, is centred on the monitor that
  // shows the host window (the primary one without a host window).
  Point CentredFrame(int width, int height) const;
  void HideAfterRun();
  // The window's monitor has changed its DPI: fonts and layout as the window
  // is built at `dpi`, moved to `suggested`'s top-left corner and repainted.
  // The bar keeps its progress; the job goes on.
  void ApplyDpi(int dpi, const RECT& suggested);
  // The job's progress on the bar; readers hear of each new percentage.
  void ShowProgress(std::size_t done, std::size_t total);
  void ShowFinished();
  // What a screen reader is told of the window (on the window's thread).
  void FillAccessibleView(AccessibleView& view) const;

  HWND owner_;
  // The look of this call's widgets and its listener in the host's window.
  widgets::LookScope look_;
  win::WindowClass class_;
  win::UniqueFont windowFont_;
  win::UniqueFont labelFont_;
  win::UniqueWindow window_;
  // The message readers' objects ask the window with (AccessibleView).
  UINT accessibleViewMessage_ = 0;
  bool ownerShownForRun_ = false;
  bool stratTimerArmed_ = false;
  bool jobRunning_ = false;
  int modalResult_ = mrNone;
  std::unique_ptr<FormContents> contents_;
  // Declared last: its thread ends before anything else of the window goes.
  TemplateJob job_;
};

}  // namespace window
