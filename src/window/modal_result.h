#pragma once

namespace window {

// The result of a modal run: 0 while the window runs.
enum ModalResult : int { mrNone = 0, mrOK = 1, mrCancel = 2 };

}  // namespace window
