// The rules of the template maintenance that need no file system: which names
// are tables, which tables are removed, what a table's index files are called,
// and whether a file's first bytes are a dBASE table header worth patching.
//
// Names are UTF-16. The name rules are templates so that the library uses them
// on wchar_t paths and the native tests and fuzzer on char16_t ones.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tables {

// The table header: the first 32 bytes of the file.
inline constexpr std::size_t kTableHeaderSize = 32;
// Byte 28 holds the table flags; bit 0x01 says a production (structural)
// index accompanies the table. Bits 0x02 (memo) and 0x04 (database container)
// describe the table itself and are kept.
inline constexpr std::size_t kTableFlagsOffset = 28;
inline constexpr std::uint8_t kIndexFlag = 0x01;

// The flags byte with the index flag cleared and every other bit kept.
constexpr std::uint8_t DetachedFlags(std::uint8_t flags) {
  return static_cast<std::uint8_t>(flags & ~kIndexFlag);
}

// The first check a file's header fails, in the order they are made.
enum class HeaderFault {
  kNone,
  kShort,          // fewer than 32 bytes
  kDbase2,         // version byte 0x02
  kHeaderLength,   // header length below 33 or beyond the file's end
  kRecordLength,   // record length 0
  kRecordsMissing  // the file ends before its last record
};

// Checks that `header` (the first `headerBytes` bytes of a file of
// `fileSize` bytes) is a plausible dBASE III-or-later table header: only such
// a file is ever written. dBASE II files (version byte 0x02) keep field
// descriptors at offset 28 and are refused, as are short, truncated and
// foreign files.
HeaderFault CheckTableHeader(const std::uint8_t* header, std::size_t headerBytes,
                             std::uint64_t fileSize);

inline bool IsPlausibleTableHeader(const std::uint8_t* header, std::size_t headerBytes,
                                   std::uint64_t fileSize) {
  return CheckTableHeader(header, headerBytes, fileSize) == HeaderFault::kNone;
}

// The check a header failed, in words ("" for kNone).
const char* DescribeHeaderFault(HeaderFault fault);

// Upper-cases the letters a-z only; every other unit stays as it is.
template <class Char>
constexpr Char AsciiUpper(Char c) {
  return (c >= Char('a') && c <= Char('z')) ? Char(c - Char('a') + Char('A')) : c;
}

// The extension of a file name: from its last "." to the end, the dot
// included; empty when there is none.
template <class Char>
std::basic_string_view<Char> ExtensionOf(std::basic_string_view<Char> name) {
  const auto dot = name.rfind(Char('.'));
  return dot == name.npos ? std::basic_string_view<Char>() : name.substr(dot);
}

// A table is a file whose extension, a-z upper-cased, is exactly ".DBF".
template <class Char>
bool IsTableName(std::basic_string_view<Char> name) {
  const auto ext = ExtensionOf(name);
  constexpr char kTableExtension[] = ".DBF";
  if (ext.size() != 4) return false;
  for (std::size_t i = 0; i < 4; ++i) {
    if (AsciiUpper(ext[i]) != Char(kTableExtension[i])) return false;
  }
  return true;
}

// Tables marked "HSKM" are removed. `belowTemplate` is the part of the table's
// path below the template folder (sub-folder names and the file name): the
// folder the host passed never marks its tables. Only a-z are upper-cased.
template <class Char>
bool HasRemovalMarker(std::basic_string_view<Char> belowTemplate) {
  constexpr char kMarker[] = "HSKM";
  if (belowTemplate.size() < 4) return false;
  for (std::size_t at = 0; at + 4 <= belowTemplate.size(); ++at) {
    std::size_t i = 0;
    while (i < 4 && AsciiUpper(belowTemplate[at + i]) == Char(kMarker[i])) ++i;
    if (i == 4) return true;
  }
  return false;
}

// The companion index files of a table bear its base name (its name without
// the extension) with another extension, in any letter case: X.DBF has
// X.mdx (dBASE multiple index) and X.cdx (compound index).
inline constexpr const char* kCompanionSuffixes[] = {".mdx", ".cdx"};

// A file name without its extension.
template <class Char>
std::basic_string_view<Char> BaseNameOf(std::basic_string_view<Char> name) {
  return name.substr(0, name.size() - ExtensionOf(name).size());
}

}  // namespace tables
