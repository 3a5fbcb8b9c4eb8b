#include "temp_folder.h"

#include <atomic>
#include <stdexcept>

namespace testing_support {
namespace {

const std::wstring kExtended = L"\\\\?\\";

std::wstring WithExtended(const std::wstring& path) {
  return path.compare(0, 4, kExtended) == 0 ? path : kExtended + path;
}

}  // namespace

void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW entry;
  HANDLE find = ::FindFirstFileW((folder + L"*").c_str(), &entry);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = entry.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring child = folder + name;
      ::SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
      if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
          !(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        RemoveTree(child + L"\\");
      } else if (!::DeleteFileW(child.c_str())) {
        ::RemoveDirectoryW(child.c_str());
      }
    } while (::FindNextFileW(find, &entry));
    ::FindClose(find);
  }
  ::RemoveDirectoryW(folder.c_str());
}

TempFolder::TempFolder() {
  static std::atomic<int> counter{0};
  wchar_t temp[MAX_PATH + 1];
  const DWORD length = ::GetTempPathW(MAX_PATH + 1, temp);
  if (length == 0 || length > MAX_PATH) throw std::runtime_error("no temporary folder");
  path_ = std::wstring(temp, length) + L"qesh-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
          std::to_wstring(++counter) + L"\\";
  RemoveTree(Extended());
  if (!::CreateDirectoryW(path_.c_str(), nullptr)) throw std::runtime_error("cannot create");
}

TempFolder::~TempFolder() { RemoveTree(Extended()); }

std::wstring TempFolder::Extended(std::wstring_view relative) const {
  return WithExtended(path_) + std::wstring(relative);
}

std::wstring TempFolder::MakeFolder(std::wstring_view relative) const {
  std::wstring full = Extended(relative);
  if (full.back() != L'\\') full += L'\\';
  for (std::size_t at = Extended().size(); at < full.size(); ++at) {
    if (full[at] == L'\\') ::CreateDirectoryW(full.substr(0, at).c_str(), nullptr);
  }
  return full;
}

std::wstring TempFolder::Write(std::wstring_view relative, const Bytes& bytes) const {
  const std::size_t slash = relative.rfind(L'\\');
  if (slash != relative.npos) MakeFolder(relative.substr(0, slash + 1));
  const std::wstring full = Extended(relative);
  HANDLE file = ::CreateFileW(full.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot write a test file");
  DWORD written = 0;
  const BOOL ok = bytes.empty() || ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()),
                                               &written, nullptr);
  ::CloseHandle(file);
  if (!ok) throw std::runtime_error("short write of a test file");
  return full;
}

Bytes MakeTable(std::uint8_t flags, int records) {
  constexpr int kFields = 2;
  constexpr int kRecordLength = 1 + 8 + 4;  // deletion flag, NAME C(8), CODE C(4)
  const int headerLength = 32 + 32 * kFields + 1;
  Bytes t(32, 0);
  t[0] = 0x03;
  t[1] = 124;  // last update 2024-05-06
  t[2] = 5;
  t[3] = 6;
  for (int i = 0; i < 4; ++i) t[4 + i] = static_cast<std::uint8_t>(records >> (8 * i));
  t[8] = headerLength & 0xFF;
  t[9] = headerLength >> 8;
  t[10] = kRecordLength;
  t[28] = flags;
  auto field = [&t](const char* name, int length) {
    Bytes d(32, 0);
    for (int i = 0; name[i] != '\0'; ++i) d[i] = static_cast<std::uint8_t>(name[i]);
    d[11] = 'C';
    d[16] = static_cast<std::uint8_t>(length);
    t.insert(t.end(), d.begin(), d.end());
  };
  field("NAME", 8);
  field("CODE", 4);
  t.push_back(0x0D);
  for (int r = 0; r < records; ++r) {
    const std::string record =
        " name" + std::to_string(r % 10) + "   C" + std::to_string(r % 10) + "  ";
    t.insert(t.end(), record.begin(), record.begin() + kRecordLength);
  }
  t.push_back(0x1A);
  return t;
}

Bytes ReadBytes(const std::wstring& path) {
  HANDLE file = ::CreateFileW(WithExtended(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  Bytes bytes(::GetFileSize(file, nullptr));
  DWORD read = 0;
  if (!bytes.empty())
    ::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  ::CloseHandle(file);
  bytes.resize(read);
  return bytes;
}

bool FileExists(const std::wstring& path) {
  return ::GetFileAttributesW(WithExtended(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

FILETIME LastWriteTime(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  ::GetFileAttributesExW(WithExtended(path).c_str(), GetFileExInfoStandard, &data);
  return data.ftLastWriteTime;
}

std::string ToAnsi(const std::wstring& wide) {
  const int size = ::WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string ansi(static_cast<std::size_t>(size), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), ansi.data(), size,
                        nullptr, nullptr);
  return ansi;
}

std::string Printable(const std::wstring& wide) {
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(size), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), size,
                        nullptr, nullptr);
  return utf8;
}

OneTableWorkFolder::OneTableWorkFolder()
    : table(work.Write(L"TempLateTemp\\CUSTOMER.DBF", MakeTable(0x01))),
      index(work.Write(L"TempLateTemp\\CUSTOMER.MDX", {1, 2})),
      ansi(ToAnsi(work.Path())) {}

bool OneTableWorkFolder::Detached() const {
  return ReadBytes(table)[28] == 0x00 && !FileExists(index);
}

bool OneTableWorkFolder::Untouched() const {
  return ReadBytes(table) == MakeTable(0x01) && FileExists(index);
}

}  // namespace testing_support
