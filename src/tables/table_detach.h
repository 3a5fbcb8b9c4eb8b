// Detaching one dBASE table from its indexes.
#pragma once

#include <cstddef>
#include <string>

namespace tables {

// Clears the index flag (bit 0x01 of byte 28) of the table at `tablePath`,
// deletes its companion index files (.mdx, then .cdx) and, when the part of
// the path from `markerFrom` on (the part below the template folder) holds
// "HSKM", deletes the table itself.
//
// A table is written only when its header is plausible and it is neither
// read-only nor a folder, and only when the flag was set; a table that cannot
// be opened, read or written is skipped with nothing changed and nothing
// deleted. Returns true when the table was processed. Never throws.
bool DetachTableIndex(const std::wstring& tablePath, std::size_t markerFrom) noexcept;

}  // namespace tables
