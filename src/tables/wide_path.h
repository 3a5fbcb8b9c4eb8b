// The host hands paths over as 8-bit strings in the ANSI code page. They are
// widened once (win/ansi_text.h) and used in the extended ("\\?\") form, so
// that neither MAX_PATH nor the code page limits which tables the walk reaches.
#pragma once

#include <string>
#include <string_view>

namespace tables {

// The absolute, normalised form of `path` with the "\\?\" (or "\\?\UNC\")
// prefix; relative paths are resolved against the current folder. Empty when
// the path cannot be resolved. A trailing backslash is kept.
std::wstring ExtendedPath(const std::wstring& path);

// Whether two file names are the same name to the file system: equal but for
// letter case.
bool SameFileName(std::wstring_view a, std::wstring_view b);

}  // namespace tables
