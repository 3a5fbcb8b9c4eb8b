// The message of the failure being handled, as the error box shows it: a
// window failure's own text, a runtime failure's what() widened, and a text of
// its own for anything else.
#pragma once

#include <string>

namespace window {

// Call inside a catch block only. Empty when even the message cannot be made.
std::wstring CurrentFailureMessage() noexcept;

}  // namespace window
