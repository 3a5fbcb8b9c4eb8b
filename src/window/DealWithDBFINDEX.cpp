#include "window/DealWithDBFINDEX.h"

#include <exception>
#include <optional>

#include "tables/template_walk.h"
#include "tables/wide_path.h"
#include "widgets/module_instance.h"
#include "widgets/window_routing.h"
#include "window/error_text.h"
#include "window/form_contents.h"
#include "window/form_error.h"
#include "window/form_layout.h"
#include "window/form_texts.h"
#include "window/thread_windows.h"

namespace window {
namespace {

constexpr wchar_t kWindowClass[] = L"TForm_DeleteDBFIndex";
constexpr UINT_PTR kStratTimerId = 1;
constexpr UINT kStratTimerInterval = 1000;
// A dialog frame: caption with the system menu and its close box only, no
// caption icon, no minimise, maximise or resize.
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
// The stored design position; the window is centred when shown.
constexpr int kDesignLeft = 350;
constexpr int kDesignTop = 264;

void RunTemplateWalk(const std::string& templateDir) { tables::ScanFolder(templateDir); }

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

FormHooks& Hooks() {
  static FormHooks hooks;
  return hooks;
}

TForm_DeleteDBFIndex::TForm_DeleteDBFIndex(HWND owner)
    : owner_(owner),
      class_(kWindowClass, WindowProc, ::LoadCursorW(nullptr, IDC_ARROW),
             reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)) {
  if (!class_.Registered()) throw FormError{L"Cannot register the window class"};

  // The window font follows the screen's dpi; the layout follows the height
  // the platform actually realises for it.
  windowFont_ = CreateSongtiFont(FontHeightForDpi(FormLayout{}.fontHeight, ScreenDpi()));
  const FormLayout layout = ScaleToTextHeight(FormLayout{}, RealisedTextHeight(windowFont_.get()));
  labelFont_ = CreateSongtiFont(layout.labelFontHeight);

  RECT frame{0, 0, layout.clientWidth, layout.clientHeight};
  ::AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
  window_.Reset(::CreateWindowExW(kExStyle, kWindowClass, kFormTitle, kStyle, kDesignLeft,
                                  kDesignTop, frame.right - frame.left, frame.bottom - frame.top,
                                  owner_, nullptr, widgets::ThisModule(), this));
  if (window_.get() == nullptr) throw FormError{L"Cannot create the progress window"};
  const HWND hwnd = window_.get();
  TrimSystemMenu(hwnd);
  ::SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(windowFont_.get()), FALSE);
  contents_ = std::make_unique<FormContents>(hwnd, layout, windowFont_.get(), labelFont_.get());
  UnZipFile.OnProgress = [this](const std::wstring& entry, int percent) {
    UnZipFileProgress(entry, percent);
  };
}

TForm_DeleteDBFIndex::~TForm_DeleteDBFIndex() {
  if (stratTimerArmed_) ::KillTimer(window_.get(), kStratTimerId);
  contents_.reset();
  window_.Reset();
}

int TForm_DeleteDBFIndex::ShowModal() {
  if (::IsWindowVisible(window_.get())) throw FormError{kVisibleModal};
  ::ReleaseCapture();
  const HCURSOR previousCursor = ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
  const HCURSOR arrow = ::GetCursor();

  std::optional<ThreadWindowsDisabled> disabled(std::in_place, window_.get());
  const HWND previouslyActive = disabled->previouslyActive();
  bool wasActive = false;
  {
    // The window is hidden again on every way out of the run.
    struct HideOnExit {
      TForm_DeleteDBFIndex& form;
      bool& wasActive;
      ~HideOnExit() {
        wasActive = ::GetActiveWindow() == form.window_.get();
        form.HideAfterRun();
      }
    } hideOnExit{*this, wasActive};

    try {
      FormShow();
    } catch (const FormError& failure) {
      ShowError(WithFullStop(failure.message));
    } catch (const std::exception& failure) {
      ShowError(WithFullStop(tables::WidenAnsi(failure.what())));
    }
    ShowCentred();

    modalResult_ = mrNone;
    MSG message;
    while (modalResult_ == mrNone) {
      const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
      if (got == 0 || got == -1) {
        // The quit message belongs to the host's own loop: hand it back.
        if (got == 0) ::PostQuitMessage(static_cast<int>(message.wParam));
        modalResult_ = mrCancel;
        break;
      }
      if (!IsDialogKeyTaken(message)) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
      }
      // A non-zero result ends the run; the window always agrees to close.
    }
  }
  disabled.reset();
  if (wasActive && previouslyActive != nullptr && ::IsWindow(previouslyActive)) {
    ::SetActiveWindow(previouslyActive);
  }
  if (::GetCursor() == arrow) ::SetCursor(previousCursor);
  return modalResult_;
}

bool TForm_DeleteDBFIndex::IsDialogKeyTaken(const MSG& message) {
  if (message.message != WM_KEYDOWN ||
      (message.wParam != VK_RETURN && message.wParam != VK_ESCAPE)) {
    return false;
  }
  if (message.hwnd != window_.get() && !::IsChild(window_.get(), message.hwnd)) return false;
  return contents_->DialogKey(static_cast<UINT>(message.wParam));
}

void TForm_DeleteDBFIndex::ShowCentred() {
  // A hidden owner is shown for the run (without moving, sizing, reordering
  // or activating it) and hidden again afterwards.
  if (owner_ != nullptr && !::IsWindowVisible(owner_)) {
    ::SetWindowPos(owner_, nullptr, 0, 0, 0, 0,
                   SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ownerShownForRun_ = true;
  }
  RECT frame{};
  ::GetWindowRect(window_.get(), &frame);
  const Point at = CentreOnDesktop(::GetSystemMetrics(SM_CXVIRTUALSCREEN),
                                   ::GetSystemMetrics(SM_CYVIRTUALSCREEN), frame.right - frame.left,
                                   frame.bottom - frame.top);
  ::SetWindowPos(window_.get(), HWND_TOP, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
  ::SetActiveWindow(window_.get());
}

void TForm_DeleteDBFIndex::HideAfterRun() {
  ::SetWindowPos(window_.get(), nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (ownerShownForRun_) {
    ::SetWindowPos(owner_, nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ownerShownForRun_ = false;
  }
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
  ::KillTimer(window_.get(), kStratTimerId);
  stratTimerArmed_ = false;
  const auto runJob = Hooks().runJob != nullptr ? Hooks().runJob : RunTemplateWalk;
  try {
    runJob(FTemplateDir);
  } catch (const std::exception& failure) {
    // The event is abandoned before the result is set; the window stays open.
    ShowError(WithFullStop(tables::WidenAnsi(failure.what())));
    return;
  }
  FResultPath = FDataSourcePath + "\\";
  modalResult_ = mrOK;
}

void TForm_DeleteDBFIndex::UnZipFileProgress(const std::wstring&, int) {
  // The archive component is never started, so there is no progress to show.
}

void TForm_DeleteDBFIndex::ShowError(const std::wstring& message) const {
  const std::wstring title = ErrorBoxTitle();
  ThreadWindowsDisabled disabled;
  ::MessageBoxW(owner_, message.c_str(), title.c_str(), MB_OK | MB_ICONSTOP);
  if (::IsWindow(disabled.previouslyActive())) ::SetActiveWindow(disabled.previouslyActive());
}

LRESULT CALLBACK TForm_DeleteDBFIndex::WindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                                  LPARAM lParam) {
  return widgets::RouteToOwner(hwnd, message, wParam, lParam, &TForm_DeleteDBFIndex::window_,
                               &TForm_DeleteDBFIndex::HandleMessage);
}

LRESULT TForm_DeleteDBFIndex::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:  // close box, system menu Close, Alt+F4
      modalResult_ = mrCancel;
      return 0;
    case WM_TIMER:
      if (wParam == kStratTimerId) {
        StratTimerTimer();
        return 0;
      }
      break;
    default:
      break;
  }
  return ::DefWindowProcW(window_.get(), message, wParam, lParam);
}

}  // namespace window
