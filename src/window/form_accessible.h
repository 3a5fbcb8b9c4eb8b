// The progress window to a screen reader (MSAA): the client area's object,
// with the label as static text, the bar as a progress bar whose value is
// its percentage as shown, and the button as a push button. oleacc is loaded
// from the system folder when a reader first asks; the calling thread's COM
// state is left as it is.
#pragma once

#include <windows.h>

namespace window {

// The answer to WM_GETOBJECT for OBJID_CLIENT (wParam as the message gave
// it); 0 when there is none to give (the system's default then answers).
LRESULT AnswerClientObject(HWND window, WPARAM wParam) noexcept;

// Tells readers that the bar's percentage has changed.
void NotifyBarValueChanged(HWND window) noexcept;

}  // namespace window
