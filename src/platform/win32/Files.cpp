#include "platform/Files.h"

#include <windows.h>
// Our FileSystem::DeleteFile, not the macro for DeleteFileA/W.
#undef DeleteFile

#include "platform/win32/Wide.h"
#include "platform/win32/WriteAll.h"

namespace dorvane::platform {
namespace {

DWORD Attributes(const std::string& path) {
  return path.empty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesW(Wide(path).c_str());
}

// Opens a file without following a reparse point (a symbolic link or a junction): the point
// itself is opened and then refused, as is anything that is not a plain file with a single name
// (a hard link planted to one of ours has two).
HANDLE OpenForWriting(const std::string& path, DWORD access, DWORD disposition) {
  if (path.empty()) return INVALID_HANDLE_VALUE;
  HANDLE file = ::CreateFileW(Wide(path).c_str(), access, FILE_SHARE_READ, nullptr, disposition,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (file == INVALID_HANDLE_VALUE) return file;
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(file, &info) ||
      (info.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) != 0 ||
      info.nNumberOfLinks != 1 || ::GetFileType(file) != FILE_TYPE_DISK) {
    ::CloseHandle(file);
    return INVALID_HANDLE_VALUE;
  }
  return file;
}

class Win32Files final : public FileSystem {
 public:
  PathStyle Style() const override { return {'\\', "/", "\r\n", "c:"}; }

  bool FileExists(const std::string& path) const override {
    const DWORD a = Attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) == 0;
  }

  bool DirectoryExists(const std::string& path) const override {
    const DWORD a = Attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
  }

  bool IsSymbolicLink(const std::string& path) const override {
    const DWORD a = Attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
  }

  bool CreateEmptyFile(const std::string& path) override {
    // Always a new file: one already there is removed first (when it is a plain file with a
    // single name), never emptied in place.
    HANDLE file = OpenForWriting(path, GENERIC_WRITE, CREATE_NEW);
    if (file == INVALID_HANDLE_VALUE && ::GetLastError() == ERROR_FILE_EXISTS) {
      HANDLE old = OpenForWriting(path, 0, OPEN_EXISTING);
      if (old == INVALID_HANDLE_VALUE) return false;
      ::CloseHandle(old);
      if (!DeleteFile(path)) return false;
      file = OpenForWriting(path, GENERIC_WRITE, CREATE_NEW);
    }
    return file != INVALID_HANDLE_VALUE && ::CloseHandle(file) != 0;
  }

  bool DeleteFile(const std::string& path) override {
    return !path.empty() && ::DeleteFileW(Wide(path).c_str()) != 0;
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
