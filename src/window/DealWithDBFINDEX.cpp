#include "window/DealWithDBFINDEX.h"

#include "tables/template_walk.h"
#include "win/module_instance.h"
#include "win/thread_window.h"
#include "win/window_routing.h"
#include "window/error_text.h"
#include "window/failure_message.h"
#include "window/form_accessible.h"
#include "window/form_contents.h"
#include "window/form_error.h"
#include "window/form_layout.h"
#include "window/form_texts.h"
#include "window/thread_windows.h"

namespace window {
namespace {

constexpr UINT_PTR kStratTimerId = 1;
constexpr UINT kStratTimerInterval = 1000;
// Posted by the walk's thread: wParam tables done, lParam tables counted.
constexpr UINT kJobProgress = WM_APP + 1;
// A dialog frame: caption with the system menu and its close box only, no
// caption icon, no minimise, maximise or resize.
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
// The stored design position; the window is centred when shown.
constexpr int kDesignLeft = 350;
constexpr int kDesignTop = 264;

// One registration for every window of the class alive at a time, on any
// thread, nested calls included; the last window to go unregisters it.
win::ClassSlot g_formClass{L"TForm_DeleteDBFIndex"};
FormHooks g_hooks;

// Shows or hides the owner without moving, sizing, reordering or activating
// it; an owner of another thread is not waited for (its thread does it when
// it next takes messages).
void ShowOwner(HWND owner, UINT showOrHide) {
  UINT flags = showOrHide | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
  if (!win::IsThreadWindow(owner)) flags |= SWP_ASYNCWINDOWPOS;
  ::SetWindowPos(owner, nullptr, 0, 0, 0, 0, flags);
}

void RunTemplateWalk(const std::string& templateDir, const tables::ScanProgress& progress) {
  tables::ScanFolder(templateDir, progress);
}

// Keeps only Move and Close in the system menu.
void TrimSystemMenu(HWND hwnd) {
  HMENU menu = ::GetSystemMenu(hwnd, FALSE);
  if (menu == nullptr) return;
  for (UINT command : {SC_RESTORE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE}) {
    ::DeleteMenu(menu, command, MF_BYCOMMAND);
  }
}

// The title of the error box: the host program's file name without its
// extension, all but its first character in lower case.
std::wstring ErrorBoxTitle() {
  std::wstring path(MAX_PATH, L'\0');
  DWORD length = 0;
  while ((length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) ==
             path.size() &&
         path.size() < 32768) {
    path.resize(path.size() * 2);
  }
  path.resize(length);
  std::wstring title = ProgramTitle(path);
  if (title.size() > 1) ::CharLowerBuffW(title.data() + 1, static_cast<DWORD>(title.size() - 1));
  return title;
}

}  // namespace

FormHooks& Hooks() { return g_hooks; }

TForm_DeleteDBFIndex::TForm_DeleteDBFIndex(HWND owner)
    : owner_(owner), accessibleViewMessage_(AccessibleViewMessage()) {
  class_ = win::WindowClass(g_formClass,
                            win::RoutedProc<TForm_DeleteDBFIndex, &TForm_DeleteDBFIndex::window_,
                                            &TForm_DeleteDBFIndex::HandleMessage>,
                            ::LoadCursorW(nullptr, IDC_ARROW),
                            reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  if (!class_) throw FormError{L"Cannot register the window class"};

  // Created at the design size; once it exists, its DPI gives its fonts,
  // layout and size.
  const FormLayout design;
  RECT frame{0, 0, design.clientWidth, design.clientHeight};
  ::AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
  window_.reset(::CreateWindowExW(kExStyle, class_.Name(), kFormTitle, kStyle, kDesignLeft,
                                  kDesignTop, frame.right - frame.left, frame.bottom - frame.top,
                                  owner_, nullptr, win::ThisModule(), this));
  if (window_.get() == nullptr) throw FormError{L"Cannot create the progress window"};
  const HWND hwnd = window_.get();
  TrimSystemMenu(hwnd);
  FormAtDpi scaled = BuildFormAtDpi(static_cast<int>(Hooks().windowDpi(hwnd)));
  windowFont_ = std::move(scaled.windowFont);
  labelFont_ = std::move(scaled.labelFont);
  const FormLayout& layout = scaled.layout;
  RECT client{};
  ::GetClientRect(hwnd, &client);
  if (client.right != layout.clientWidth || client.bottom != layout.clientHeight) {
    SizeToClient(hwnd, nullptr, layout.clientWidth, layout.clientHeight);
  }
  ::SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(windowFont_.get()), FALSE);
  contents_ = std::make_unique<FormContents>(hwnd, layout, windowFont_.get(), labelFont_.get());
  UnZipFile.OnProgress = [this](const std::wstring& entry, int percent) {
    UnZipFileProgress(entry, percent);
  };
}

TForm_DeleteDBFIndex::~TForm_DeleteDBFIndex() {
  // Only the window's own timer; it is gone already when the window is.
  if (stratTimerArmed_ && window_.get() != nullptr) Hooks().killTimer(window_.get(), kStratTimerId);
  contents_.reset();
  window_.reset();
}

int TForm_DeleteDBFIndex::ShowModal() {
  if (::IsWindowVisible(window_.get())) throw FormError{kVisibleModal};
  ::ReleaseCapture();
  const HCURSOR previousCursor = ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
  const HCURSOR arrow = ::GetCursor();

  ThreadWindowsDisabled disabled(window_.get());
  MSG quit{};
  bool quitTaken = false;
  {
    // Every way out, in the order that keeps activation with the host: the
    // host's windows are enabled before the window is hidden (hiding an
    // active window whose owner is disabled activates another program's
    // window), then the window active before the run gets activation back.
    struct EndOfRun {
      TForm_DeleteDBFIndex& form;
      ThreadWindowsDisabled& disabled;
      ~EndOfRun() {
        const HWND active = ::GetActiveWindow();
        const bool wasActive = active == nullptr || active == form.window_.get();
        disabled.Release();
        form.HideAfterRun();
        const HWND previous = disabled.PreviouslyActive();
        if (wasActive && previous != nullptr && ::IsWindow(previous)) ::SetActiveWindow(previous);
      }
    } endOfRun{*this, disabled};

    // The start timer is armed once the window is up, so that the job never
    // starts sooner than its delay after the user sees the window, however
    // long the showing takes.
    ShowCentred(disabled);
    try {
      FormShow();
    } catch (...) {
      ReportCurrentFailure();
    }

    modalResult_ = mrNone;
    while (modalResult_ == mrNone) {
      // Destroyed by someone else (with its owner, say): before the job the
      // run ends at once; a started job still runs to its end.
      if (window_.get() == nullptr && !jobRunning_) {
        modalResult_ = mrCancel;
        break;
      }
      WaitForWork();
      if (jobRunning_ && ::WaitForSingleObject(job_.Thread(), 0) == WAIT_OBJECT_0) JobEnded();
      MSG message;
      while (modalResult_ == mrNone && ::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
          // The quit message belongs to the host's own loop: it is handed
          // back after the run. Before the job it ends the run.
          quit = message;
          quitTaken = true;
          if (!jobRunning_) modalResult_ = mrCancel;
          continue;
        }
        if (!IsDialogKeyTaken(message)) {
          ::TranslateMessage(&message);
          ::DispatchMessageW(&message);
        }
      }
      // A non-zero result ends the run; the window always agrees to close.
    }
  }
  // The job has ended: its progress messages not yet handled are taken from
  // the host's queue, so that nothing of the window is left there. A filtered
  // look still takes a quit message, which goes back with the others.
  MSG message;
  while (window_.get() != nullptr &&
         ::PeekMessageW(&message, window_.get(), kJobProgress, kJobProgress, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      quit = message;
      quitTaken = true;
    }
  }
  if (quitTaken) ::PostQuitMessage(static_cast<int>(quit.wParam));
  if (::GetCursor() == arrow) ::SetCursor(previousCursor);
  return modalResult_;
}

void TForm_DeleteDBFIndex::WaitForWork() const {
  const HANDLE thread = jobRunning_ ? job_.Thread() : nullptr;
  ::MsgWaitForMultipleObjectsEx(thread != nullptr ? 1 : 0, &thread, INFINITE, QS_ALLINPUT,
                                MWMO_INPUTAVAILABLE);
}

bool TForm_DeleteDBFIndex::IsDialogKeyTaken(const MSG& message) {
  if (message.message != WM_KEYDOWN ||
      (message.wParam != VK_RETURN && message.wParam != VK_ESCAPE)) {
    return false;
  }
  if (window_.get() == nullptr) return false;
  if (message.hwnd != window_.get() && !::IsChild(window_.get(), message.hwnd)) return false;
  return contents_->DialogKey(static_cast<UINT>(message.wParam));
}

void TForm_DeleteDBFIndex::ShowCentred(ThreadWindowsDisabled& disabled) {
  // A hidden owner is shown for the run and hidden again afterwards. One of
  // this thread is disabled with the thread's other windows, before it is
  // shown, and enabled with them, before it is hidden again.
  if (owner_ != nullptr && !::IsWindowVisible(owner_)) {
    if (win::IsThreadWindow(owner_)) disabled.Add(owner_);
    ShowOwner(owner_, SWP_SHOWWINDOW);
    ownerShownForRun_ = true;
  }
  RECT frame{};
  ::GetWindowRect(window_.get(), &frame);
  const Point at = CentredFrame(frame.right - frame.left, frame.bottom - frame.top);
  ::SetWindowPos(window_.get(), HWND_TOP, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
  // Moved onto a monitor of another DPI, the window has taken that DPI's
  // size (at the top-left the system suggested): centred again.
  RECT shown{};
  ::GetWindowRect(window_.get(), &shown);
  if (shown.right - shown.left != frame.right - frame.left ||
      shown.bottom - shown.top != frame.bottom - frame.top) {
    const Point again = CentredFrame(shown.right - shown.left, shown.bottom - shown.top);
    ::SetWindowPos(window_.get(), nullptr, again.x, again.y, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  ::SetActiveWindow(window_.get());
}

Point TForm_DeleteDBFIndex::CentredFrame(int width, int height) const {
  const std::vector<Monitor> monitors = Hooks().monitors();
  const bool hasHost = owner_ != nullptr && ::IsWindow(owner_);
  const Area host = hasHost ? WindowArea(owner_) : Area{};
  const int showing = MonitorShowing(monitors, hasHost ? &host : nullptr);
  // Without monitors listed: the virtual desktop's size, from (0, 0).
  const Area monitor = showing >= 0 ? monitors[static_cast<std::size_t>(showing)].area
                                    : Area{0, 0, ::GetSystemMetrics(SM_CXVIRTUALSCREEN),
                                           ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  return CentreOnMonitor(monitor, width, height);
}

void TForm_DeleteDBFIndex::ApplyDpi(int dpi, const RECT& suggested) {
  const HWND hwnd = window_.get();
  // Everything is made before anything is replaced: a failure leaves the
  // window as it was.
  FormAtDpi scaled = BuildFormAtDpi(dpi);
  auto contents = std::make_unique<FormContents>(hwnd, scaled.layout, scaled.windowFont.get(),
                                                 scaled.labelFont.get());
  contents->TakeProgressFrom(*contents_);
  ::SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(scaled.windowFont.get()), FALSE);
  // The old widgets go before the fonts they borrow.
  contents_ = std::move(contents);
  windowFont_ = std::move(scaled.windowFont);
  labelFont_ = std::move(scaled.labelFont);
  const POINT topLeft{suggested.left, suggested.top};
  SizeToClient(hwnd, &topLeft, scaled.layout.clientWidth, scaled.layout.clientHeight);
  ::RedrawWindow(hwnd, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void TForm_DeleteDBFIndex::HideAfterRun() {
  if (window_.get() != nullptr) {
    ::SetWindowPos(window_.get(), nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (ownerShownForRun_ && ::IsWindow(owner_)) ShowOwner(owner_, SWP_HIDEWINDOW);
  ownerShownForRun_ = false;
}

void TForm_DeleteDBFIndex::FormShow() {
  const auto setTimer = Hooks().setTimer;
  if (setTimer(window_.get(), kStratTimerId, kStratTimerInterval, nullptr) == 0) {
    throw FormError{kTimerRefused};
  }
  stratTimerArmed_ = true;
}

void TForm_DeleteDBFIndex::StratTimerTimer() {
  if (!stratTimerArmed_) return;  // a tick already queued when the timer was killed
  Hooks().killTimer(window_.get(), kStratTimerId);
  stratTimerArmed_ = false;
  const auto work = Hooks().runJob != nullptr ? Hooks().runJob : RunTemplateWalk;
  try {
    job_.Start(work, FTemplateDir, window_.get(), kJobProgress);
  } catch (...) {
    // Not started (out of memory): reported, and the window can be closed.
    ReportCurrentFailure();
    return;
  }
  jobRunning_ = true;
  if (job_.Thread() == nullptr) JobEnded();  // it ran here, without a thread
}

void TForm_DeleteDBFIndex::JobEnded() {
  std::wstring failure;
  const bool ranToEnd = job_.Finish(failure);
  jobRunning_ = false;
  if (!ranToEnd) {
    // The event is abandoned before the result is set; the window stays
    // open until the user closes it.
    if (window_.get() == nullptr) {
      modalResult_ = mrCancel;
    } else {
      ShowError(WithFullStop(std::move(failure)));
    }
    return;
  }
  if (window_.get() != nullptr) {
    ShowFinished();
    ::UpdateWindow(window_.get());
  }
  FResultPath = FDataSourcePath + "\\";
  modalResult_ = mrOK;
}

void TForm_DeleteDBFIndex::UnZipFileProgress(const std::wstring&, int) {
  // The archive component is never started, so there is no progress to show.
}

void TForm_DeleteDBFIndex::ReportCurrentFailure() const {
  ShowError(WithFullStop(CurrentFailureMessage()));
}

void TForm_DeleteDBFIndex::ShowError(const std::wstring& message) const {
  const std::wstring title = ErrorBoxTitle();
  // The box disables its owner: a host window of another thread is left to
  // that thread, and the progress window owns the box instead.
  const HWND boxOwner = owner_ == nullptr || win::IsThreadWindow(owner_) ? owner_ : window_.get();
  ThreadWindowsDisabled disabled;
  ::MessageBoxW(boxOwner, message.c_str(), title.c_str(), MB_OK | MB_ICONSTOP);
  // Enabled first, so that the window active before the box (the progress
  // window) can take activation back.
  disabled.Release();
  if (::IsWindow(disabled.PreviouslyActive())) ::SetActiveWindow(disabled.PreviouslyActive());
}

void TForm_DeleteDBFIndex::ShowProgress(std::size_t done, std::size_t total) {
  const std::uint16_t before = contents_->Percent();
  contents_->ShowProgress(done, total);
  if (contents_->Percent() != before) NotifyBarValueChanged(window_.get());
}

void TForm_DeleteDBFIndex::ShowFinished() {
  const std::uint16_t before = contents_->Percent();
  contents_->ShowFinished();
  if (contents_->Percent() != before) NotifyBarValueChanged(window_.get());
}

void TForm_DeleteDBFIndex::FillAccessibleView(AccessibleView& view) const {
  const HWND hwnd = window_.get();
  wchar_t title[64] = {};
  ::GetWindowTextW(hwnd, title, 64);
  view.title = title;
  ::GetClientRect(hwnd, &view.client);
  ::MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&view.client), 2);
  view.visible = ::IsWindowVisible(hwnd) != FALSE;
  if (contents_ != nullptr) contents_->FillView(view);  // not while made or taken down
}

LRESULT TForm_DeleteDBFIndex::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // A reader's object asks from its own thread, its view waiting there.
  if (message == accessibleViewMessage_ && message != 0) {
    AccessibleView* view = RequestedView(wParam, lParam);
    if (view == nullptr) return 0;
    FillAccessibleView(*view);
    return kViewGiven;
  }
  switch (message) {
    case WM_CLOSE:  // close box, system menu Close, Alt+F4
      // Ignored once the job has started: it always runs to its end.
      if (!jobRunning_) modalResult_ = mrCancel;
      return 0;
    case WM_TIMER:
      if (wParam == kStratTimerId) {
        StratTimerTimer();
        return 0;
      }
      break;
    case WM_DPICHANGED:
      if (lParam != 0) ApplyDpi(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case kJobProgress:
      ShowProgress(static_cast<std::size_t>(wParam), static_cast<std::size_t>(lParam));
      return 0;
    case WM_GETOBJECT:
      if (static_cast<LONG>(lParam) == OBJID_CLIENT) {
        const LRESULT answer = AnswerClientObject(window_.get(), wParam);
        if (answer != 0) return answer;
      }
      break;
    case WM_DESTROY:
      // Destroyed by someone else (with its owner): the timer goes with it.
      if (stratTimerArmed_) Hooks().killTimer(window_.get(), kStratTimerId);
      stratTimerArmed_ = false;
      break;
    default:
      break;
  }
  return ::DefWindowProcW(window_.get(), message, wParam, lParam);
}

}  // namespace window
