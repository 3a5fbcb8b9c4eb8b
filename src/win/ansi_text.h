// Text the host hands over as 8-bit strings in the ANSI code page (paths,
// and the runtime's failure messages), widened for the wide Windows API.
#pragma once

#include <string>
#include <string_view>

namespace win {

// The 8-bit string widened with the ANSI code page (no flags); empty when it
// cannot be converted.
std::wstring WidenAnsi(std::string_view ansi);

}  // namespace win
