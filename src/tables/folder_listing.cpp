#include "tables/folder_listing.h"

#include <algorithm>
#include <memory>

namespace tables {
namespace {

// Large enough for hundreds of entries per call: a folder of many tables is
// read in few round trips (each one a server round trip on a network share).
constexpr DWORD kBufferBytes = 64 * 1024;

bool IsDotEntry(std::wstring_view name) { return name == L"." || name == L".."; }

// Names compared as the file system compares them: in any letter case.
int CompareNames(std::wstring_view a, std::wstring_view b) {
  return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                static_cast<int>(b.size()), TRUE) -
         CSTR_EQUAL;
}

// The file number of a listed entry, where the listing gives one.
std::uint64_t NumberOf(const FILE_ID_BOTH_DIR_INFO& info) {
  return static_cast<std::uint64_t>(info.FileId.QuadPart);
}
std::uint64_t NumberOf(const FILE_FULL_DIR_INFO&) { return 0; }

}  // namespace

template <class Info>
void FolderListing::Append(const void* buffer) {
  for (const auto* bytes = static_cast<const unsigned char*>(buffer);;) {
    const auto* info = reinterpret_cast<const Info*>(bytes);
    const std::wstring_view name(info->FileName, info->FileNameLength / sizeof(wchar_t));
    if (!IsDotEntry(name)) {
      FolderEntry entry;
      entry.nameAt = names_.size();
      entry.nameLength = name.size();
      entry.attributes = info->FileAttributes;
      // The tag of a reparse point is where the extended attributes' size is
      // given for other entries.
      if (entry.IsReparsePoint()) entry.reparseTag = info->EaSize;
      entry.number = NumberOf(*info);
      names_.append(name);
      entries_.push_back(entry);
    }
    if (info->NextEntryOffset == 0) return;
    bytes += info->NextEntryOffset;
  }
}

bool FolderListing::Read(HANDLE folder, const FileCalls& calls) {
  names_.clear();
  entries_.clear();
  sortedFiles_.clear();
  sorted_ = false;
  // DWORD-aligned, as the entries in it are.
  const std::unique_ptr<DWORD[]> buffer(new DWORD[kBufferBytes / sizeof(DWORD)]);
  // With file numbers; a file system that has none is listed without them.
  bool numbered = true;
  FILE_INFO_BY_HANDLE_CLASS kind = FileIdBothDirectoryRestartInfo;
  for (;;) {
    if (!calls.getInformation(folder, kind, buffer.get(), kBufferBytes)) {
      const DWORD error = ::GetLastError();
      if (error == ERROR_NO_MORE_FILES) return true;
      if (!numbered || kind != FileIdBothDirectoryRestartInfo || error != ERROR_INVALID_PARAMETER) {
        break;
      }
      numbered = false;
      kind = FileFullDirectoryRestartInfo;
      continue;
    }
    if (numbered) {
      Append<FILE_ID_BOTH_DIR_INFO>(buffer.get());
      kind = FileIdBothDirectoryInfo;
    } else {
      Append<FILE_FULL_DIR_INFO>(buffer.get());
      kind = FileFullDirectoryInfo;
    }
  }
  names_.clear();
  entries_.clear();
  return false;
}

std::vector<const FolderEntry*> FolderListing::FilesNamed(std::wstring_view base,
                                                          std::wstring_view suffix) {
  if (!sorted_) {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
      if (!entries_[i].IsFolder()) sortedFiles_.push_back(i);
    }
    // Names equal in any letter case stay in the listing's order.
    std::sort(sortedFiles_.begin(), sortedFiles_.end(), [this](std::size_t a, std::size_t b) {
      const int order = CompareNames(Name(entries_[a]), Name(entries_[b]));
      return order < 0 || (order == 0 && a < b);
    });
    sorted_ = true;
  }
  std::wstring name(base);
  name.append(suffix);
  auto at = std::lower_bound(sortedFiles_.begin(), sortedFiles_.end(), name,
                             [this](std::size_t a, const std::wstring& b) {
                               return CompareNames(Name(entries_[a]), b) < 0;
                             });
  std::vector<const FolderEntry*> files;
  for (; at != sortedFiles_.end() && CompareNames(Name(entries_[*at]), name) == 0; ++at) {
    files.push_back(&entries_[*at]);
  }
  return files;
}

}  // namespace tables
