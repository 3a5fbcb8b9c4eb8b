#include "window/error_text.h"

namespace window {

std::wstring WithFullStop(std::wstring message) {
  if (!message.empty() && message.back() > L'.') message.push_back(L'.');
  return message;
}

std::wstring ProgramTitle(std::wstring_view programPath) {
  const std::size_t slash = programPath.rfind(L'\\');
  std::wstring_view name = slash == programPath.npos ? programPath : programPath.substr(slash + 1);
  const std::size_t dot = name.find(L'.');
  if (dot != name.npos) name = name.substr(0, dot);
  return std::wstring(name);
}

}  // namespace window
