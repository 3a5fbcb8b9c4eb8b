// The texts of the error box that reports a failure escaping the window's
// events. No Windows API here.
#pragma once

#include <string>
#include <string_view>

namespace window {

// The failure's message, with "." appended when the message is not empty and
// its last character sorts after ".".
std::wstring WithFullStop(std::wstring message);

// The box's title from the host program's path: the part after the last
// backslash, cut at its first ".". Lower-casing all but the first character
// is left to the platform's locale-aware lower-casing.
std::wstring ProgramTitle(std::wstring_view programPath);

}  // namespace window
