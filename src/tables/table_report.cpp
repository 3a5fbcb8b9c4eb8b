#include "tables/table_report.h"

#include <windows.h>

namespace tables {
namespace {

// "\\?\C:\x" is shown as "C:\x", "\\?\UNC\server\x" as "\\server\x".
void AppendPlain(std::wstring& line, std::wstring_view path) {
  constexpr std::wstring_view kExtended = L"\\\\?\\";
  constexpr std::wstring_view kUnc = L"UNC\\";
  if (path.substr(0, kExtended.size()) == kExtended) {
    path.remove_prefix(kExtended.size());
    if (path.substr(0, kUnc.size()) == kUnc) {
      path.remove_prefix(kUnc.size());
      line.append(L"\\\\");
    }
  }
  line.append(path);
}

}  // namespace

void ReportTable(const std::wstring& tablePath, std::wstring_view reason) noexcept {
  try {
    std::wstring line = L"qesh_deleteIndex_dbf: ";
    AppendPlain(line, tablePath);
    line.append(L": ").append(reason).push_back(L'\n');
    ::OutputDebugStringW(line.c_str());
  } catch (...) {
    // Out of memory: the line is dropped, the job goes on.
  }
}

}  // namespace tables
