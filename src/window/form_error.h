// A failure of the progress window's own making, with its message for the
// error box.
#pragma once

#include <string>

namespace window {

struct FormError {
  std::wstring message;
};

}  // namespace window
