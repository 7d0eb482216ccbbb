#include "platform/Files.h"

#include <windows.h>
// Our FileSystem::DeleteFile, not the macro for DeleteFileA/W.
#undef DeleteFile

#include "platform/DynamicLibrary.h"
#include "platform/win32/Wide.h"
#include "platform/win32/WriteAll.h"
#include "text/Paths.h"

namespace dorvane::platform {
namespace {

DWORD Attributes(const std::string& path) {
  return path.empty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesW(Wide(path).c_str());
}

// Opens a name for no access at all: enough to read what it is, and it never blocks, even on a
// device (a serial port) or a pipe.
HANDLE OpenToQuery(const std::string& path, DWORD flags) {
  if (path.empty()) return INVALID_HANDLE_VALUE;
  return ::CreateFileW(Wide(path).c_str(), 0,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, flags, nullptr);
}

// Names compare as the file system compares them: regardless of case.
std::wstring Upper(std::wstring text) {
  if (!text.empty()) {
    ::LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE, text.data(), static_cast<int>(text.size()),
                   text.data(), static_cast<int>(text.size()));
  }
  return text;
}

// The full name of what a handle reaches, as the system resolves it; empty where the system
// cannot tell (Windows XP).
std::wstring FinalName(HANDLE handle) {
  const LoadedLibrary kernel("kernel32.dll");
  using Final = DWORD(WINAPI*)(HANDLE, LPWSTR, DWORD, DWORD);
  const auto final = kernel.Find<Final>("GetFinalPathNameByHandleW");
  if (final == nullptr) return {};
  std::wstring name(MAX_PATH, L'\0');
  DWORD n = final(handle, name.data(), static_cast<DWORD>(name.size()), 0);
  if (n >= name.size()) {
    name.resize(n);
    n = final(handle, name.data(), static_cast<DWORD>(name.size()), 0);
  }
  if (n == 0 || n >= name.size()) return {};
  name.resize(n);
  while (!name.empty() && name.back() == L'\\') name.pop_back();
  return Upper(name);
}

// Whether an open file is the one its name names in its directory, and not another one that a
// link leads to: Wine follows a Unix link even with FILE_FLAG_OPEN_REPARSE_POINT and shows it
// as the file it leads to, but the name that the system resolves tells them apart.
bool IsNamedFile(HANDLE file, const std::string& path) {
  const std::wstring reached = FinalName(file);
  if (reached.empty()) return true;
  HANDLE dir = OpenToQuery(DirectoryOf(path), FILE_FLAG_BACKUP_SEMANTICS);
  if (dir == INVALID_HANDLE_VALUE) return false;
  std::wstring expected = FinalName(dir);
  ::CloseHandle(dir);
  return reached == expected + L'\\' + Upper(Wide(FileNameOf(path)));
}

// A plain file on a disk with a single name, reached by its own name.
bool IsPlainNamedFile(HANDLE file, const std::string& path) {
  BY_HANDLE_FILE_INFORMATION info{};
  return ::GetFileType(file) == FILE_TYPE_DISK && ::GetFileInformationByHandle(file, &info) &&
         (info.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) == 0 &&
         info.nNumberOfLinks == 1 && IsNamedFile(file, path);
}

// Opens a file without following a reparse point (a symbolic link or a junction): the point
// itself is opened and then refused, as is anything that is not a plain file with a single name
// (a hard link planted to one of ours has two), or that a link Wine hides leads to.
HANDLE OpenForWriting(const std::string& path, DWORD access, DWORD disposition, DWORD flags = 0) {
  if (path.empty()) return INVALID_HANDLE_VALUE;
  HANDLE file =
      ::CreateFileW(Wide(path).c_str(), access, FILE_SHARE_READ, nullptr, disposition,
                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT | flags, nullptr);
  if (file == INVALID_HANDLE_VALUE) return file;
  if (!IsPlainNamedFile(file, path)) {
    ::CloseHandle(file);
    return INVALID_HANDLE_VALUE;
  }
  return file;
}

class Win32Files final : public FileSystem {
 public:
  PathStyle Style() const override { return {'\\', "/", "\r\n", "c:"}; }

  bool FileExists(const std::string& path) const override {
    HANDLE file = OpenToQuery(path, FILE_FLAG_BACKUP_SEMANTICS);
    if (file == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool plain = ::GetFileType(file) == FILE_TYPE_DISK &&
                       ::GetFileInformationByHandle(file, &info) &&
                       (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    ::CloseHandle(file);
    return plain;
  }

  bool DirectoryExists(const std::string& path) const override {
    const DWORD a = Attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
  }

  bool IsSymbolicLink(const std::string& path) const override {
    const DWORD a = Attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
  }

  bool CanCreateFile(const std::string& path) override {
    // CREATE_NEW never opens a name that is there; the system deletes the file as it closes.
    HANDLE file =
        OpenForWriting(path, GENERIC_WRITE | DELETE, CREATE_NEW, FILE_FLAG_DELETE_ON_CLOSE);
    return file != INVALID_HANDLE_VALUE && ::CloseHandle(file) != 0;
  }

  bool DeleteFile(const std::string& path) override {
    // The entry itself, checked to be the one its name names; a read-only file loses that
    // attribute first, as a stale report must go whatever its attributes.
    HANDLE entry = OpenToQuery(path, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS);
    if (entry == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool ours =
        ::GetFileInformationByHandle(entry, &info) &&
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
        ((info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 || IsNamedFile(entry, path));
    ::CloseHandle(entry);
    if (!ours) return false;
    const std::wstring name = Wide(path);
    if ((info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0) {
      ::SetFileAttributesW(name.c_str(), info.dwFileAttributes & ~FILE_ATTRIBUTE_READONLY);
    }
    return ::DeleteFileW(name.c_str()) != 0;
  }

  bool AppendText(const std::string& path, std::string_view text) override {
    HANDLE file = OpenForWriting(path, FILE_APPEND_DATA, OPEN_ALWAYS);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool ok = WriteAll(file, text) && ::FlushFileBuffers(file) != 0;
    return ::CloseHandle(file) != 0 && ok;
  }
};

}  // namespace

// The help file lies beside the program.
std::string DataDirFromExecutable() {
  return ".";
}

FileSystem& SystemFiles() {
  static Win32Files files;
  return files;
}

}  // namespace dorvane::platform
