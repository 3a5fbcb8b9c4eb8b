// Detaching one dBASE table from its indexes.
#pragma once

#include "tables/file_calls.h"
#include "tables/template_walk.h"

namespace tables {

// Clears the index flag (bit 0x01 of byte 28) of the table the walk hands
// over, deletes its index files (.mdx, then .cdx) and, when the part of its
// path below the template folder holds "HSKM", deletes the table itself; in
// that order, so that a job stopped at any point leaves no table flagged
// without its index files.
//
// Everything is opened relative to the table's folder by the names its
// listing gave, without following links, and judged by its handle: the
// table is written only when it is the listed file, a plain writable file
// (or a reparse point that is no link, read through a second open) with a
// plausible header and the flag set. A table that cannot be opened, read or
// written is skipped with nothing changed and nothing deleted. Its index
// files are the files the listing shows with the table's base name plus
// ".mdx" or ".cdx" (any letter case) as their own long names; each is
// deleted through the handle that was judged the listed file. Every table
// left alone or only partly handled is reported (table_report.h). Returns
// true when the table was processed. Never throws.
bool DetachTable(ListedTable& table, const FileCalls& calls = FileCalls()) noexcept;

}  // namespace tables
