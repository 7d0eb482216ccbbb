#include "platform/Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/posix/WriteAll.h"
#include "text/Paths.h"

namespace dorvane::platform {
namespace {

// Opens a regular file for writing without following a symbolic link in its last component,
// creating it owner-only. O_NONBLOCK keeps a planted FIFO from blocking the open; anything
// that is not a regular file of ours with a single name is refused, so neither a file another
// user left in a shared directory nor a hard link planted to one of ours receives our writes.
bool IsOurSingleFile(const struct stat& st) {
  return S_ISREG(st.st_mode) && st.st_uid == ::geteuid() && st.st_nlink == 1;
}

int OpenForWriting(const std::string& path, int extraFlags) {
  const int fd =
      ::open(path.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | extraFlags,
             S_IRUSR | S_IWUSR);
  if (fd < 0) return -1;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !IsOurSingleFile(st)) {
    ::close(fd);
    return -1;
  }
  return fd;
}

class LinuxFiles final : public FileSystem {
 public:
  bool FileExists(const std::string& path) const override {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
  }

  bool DirectoryExists(const std::string& path) const override {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
  }

  bool IsSymbolicLink(const std::string& path) const override {
    struct stat st {};
    return !path.empty() && ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
  }

  bool CanCreateFile(const std::string& path) override {
    const std::string parent = DirectoryOf(path);
    struct stat st {};
    if (::stat(parent.empty() ? "." : parent.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) ||
        st.st_uid != ::geteuid())
      return false;
    // O_EXCL: a name already there, a link included, is never opened.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                          S_IRUSR | S_IWUSR);
    if (fd < 0) return false;
    // The name is removed only while it still names the file made here.
    struct stat made {};
    struct stat named {};
    const bool same = ::fstat(fd, &made) == 0 && ::lstat(path.c_str(), &named) == 0 &&
                      made.st_dev == named.st_dev && made.st_ino == named.st_ino;
    const bool removed = same && ::unlink(path.c_str()) == 0;
    ::close(fd);
    return removed;
  }

  bool DeleteFile(const std::string& path) override {
    return !path.empty() && ::unlink(path.c_str()) == 0;
  }

  bool AppendText(const std::string& path, std::string_view text) override {
    const int fd = OpenForWriting(path, O_APPEND);
    if (fd < 0) return false;
    const bool ok = WriteAll(fd, text);
    // write() leaves nothing in a buffer of ours; closing hands the data to the system.
    return ::close(fd) == 0 && ok;
  }
};

}  // namespace

std::string DataDirFromExecutable() {
  return DORVANE_DATA_RELDIR;
}

FileSystem& SystemFiles() {
  static LinuxFiles files;
  return files;
}

}  // namespace dorvane::platform
