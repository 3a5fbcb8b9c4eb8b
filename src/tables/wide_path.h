// The host hands paths over as 8-bit strings in the ANSI code page. They are
// widened once and used in the extended ("\\?\") form, so that neither
// MAX_PATH nor the code page limits which tables the walk reaches.
#pragma once

#include <string>
#include <string_view>

namespace tables {

// The 8-bit string widened with the ANSI code page.
std::wstring WidenAnsi(std::string_view ansi);

// The absolute, normalised form of `path` with the "\\?\" (or "\\?\UNC\")
// prefix; relative paths are resolved against the current folder. Empty when
// the path cannot be resolved. A trailing backslash is kept.
std::wstring ExtendedPath(const std::wstring& path);

}  // namespace tables
