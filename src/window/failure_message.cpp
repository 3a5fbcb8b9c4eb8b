#include "window/failure_message.h"

#include <exception>

#include "win/ansi_text.h"
#include "window/form_error.h"

namespace window {

std::wstring CurrentFailureMessage() noexcept {
  try {
    try {
      throw;
    } catch (const FormError& failure) {
      return failure.message;
    } catch (const std::exception& failure) {
      return win::WidenAnsi(failure.what());
    } catch (...) {
      return L"Unknown failure";
    }
  } catch (...) {
    return {};  // no memory for the message itself
  }
}

}  // namespace window
