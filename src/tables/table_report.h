// Why a table was left alone or only partly handled, told to whoever watches
// the process's debug output (a debugger, DebugView, Wine's debugstr channel):
// one line per table and reason, nothing when all goes well. The user sees
// nothing, and nothing is written anywhere else.
//
//   qesh_deleteIndex_dbf: <full path of the table>: <reason>
//
// The path is the table's whole path in its plain form (without "\\?\");
// the reasons are listed in table_detach.cpp and the README.
#pragma once

#include <string>
#include <string_view>

namespace tables {

// Sends one line through OutputDebugStringW. Never throws; a line that
// cannot be formed for want of memory is dropped.
void ReportTable(const std::wstring& tablePath, std::wstring_view reason) noexcept;

}  // namespace tables
