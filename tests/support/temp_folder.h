// Real folders and files for the Windows tests: a fresh folder under the
// temporary folder, removed with everything in it (read-only bits included)
// when the test ends. Paths are wide; long ones use the "\\?\" form.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace testing_support {

using Bytes = std::vector<std::uint8_t>;

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder, in plain form, ending with a backslash.
  const std::wstring& Path() const { return path_; }
  // `relative` below the folder, in the "\\?\" form.
  std::wstring Extended(std::wstring_view relative = {}) const;
  // Creates the folder `relative` (and its parents); returns its extended path
  // with a trailing backslash.
  std::wstring MakeFolder(std::wstring_view relative) const;
  // Writes a file (creating its folders); returns its extended path.
  std::wstring Write(std::wstring_view relative, const Bytes& bytes) const;

 private:
  std::wstring path_;
};

// A work folder whose template folder holds one table with the index flag
// set and its .MDX index; `ansi` is the folder as a host passes it.
struct OneTableWorkFolder {
  OneTableWorkFolder();
  bool Detached() const;
  bool Untouched() const;

  TempFolder work;
  std::wstring table, index;
  std::string ansi;
};

// Removes `folder` (ending with a backslash) with everything in it,
// read-only bits included. Links are removed, never followed.
void RemoveTree(const std::wstring& folder);

// A small, valid dBASE III table: two character fields, `records` records.
Bytes MakeTable(std::uint8_t flags, int records = 3);
// Where a table keeps its flags (bit 0x01 the index flag).
inline constexpr std::size_t kFlags = 28;

Bytes ReadBytes(const std::wstring& path);
bool FileExists(const std::wstring& path);
FILETIME LastWriteTime(const std::wstring& path);
// The 8-bit form of a wide path in the ANSI code page, as a host passes it.
std::string ToAnsi(const std::wstring& wide);
std::string Printable(const std::wstring& wide);

}  // namespace testing_support
