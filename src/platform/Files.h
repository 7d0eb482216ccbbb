#pragma once

#include <string>
#include <string_view>

namespace dorvane::platform {

// How the system writes paths and text files.
struct PathStyle {
  char separator = '/';
  std::string_view otherSeparators;  // also separate a path's parts when reading one
  std::string_view lineEnd = "\n";
  std::string_view missingTempDir = "/";  // stands in for a temporary path that is no directory
};

// The few file operations the program needs. Files it writes are never reached through a
// symbolic link (on Windows, a reparse point such as a junction) nor written when they have
// another name (a hard link), and on Linux are created readable and writable by their owner
// only, so a link planted in a shared directory cannot redirect the program's writes.
class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Linux's unless the implementation says otherwise.
  virtual PathStyle Style() const { return {}; }
  // A regular file exists at `path` (symbolic links followed): not a directory, a device or a
  // pipe, which the program never opens, as opening one may block.
  virtual bool FileExists(const std::string& path) const = 0;
  virtual bool DirectoryExists(const std::string& path) const = 0;
  // `path` itself is a symbolic link (a reparse point), whether or not its target exists.
  virtual bool IsSymbolicLink(const std::string& path) const = 0;
  // Whether a new file can be made at `path`: one is created and removed again at once (on
  // Windows by the system, as it is closed). A name already taken is left as it is, whatever
  // it names, and gives false: under Wine a Unix link looks like the file it leads to. On Linux
  // only a directory of the user's own counts, and never for the superuser, who owns the
  // system's folders: a report is never left in a folder of another user or of the system.
  virtual bool CanCreateFile(const std::string& path) = 0;
  // Removes the entry at `path` (a link itself, never its target; a read-only file too); false
  // when it cannot, or when the name leads to another file that the system does not show as a
  // link (a Unix link under Wine), which is left alone.
  virtual bool DeleteFile(const std::string& path) = 0;
  // Opens the regular file for appending, creating it when missing, writes `text`, flushes and
  // closes it; false when it cannot be opened or fully written.
  virtual bool AppendText(const std::string& path, std::string_view text) = 0;
};

// Where the file `fileName` installed with the program lies for an executable in `moduleDir`:
// beside it when that file exists there (a build tree), else in `installDir`, relative to
// `moduleDir`. Empty without a file name.
std::string InstalledFilePath(const std::string& moduleDir, const std::string& fileName,
                              const std::string& installDir);

// The program's data directory (the help file's), relative to the executable's directory
// once installed.
std::string DataDirFromExecutable();

// `path` without the separators it ends with.
std::string WithoutTrailingSeparators(std::string path);

FileSystem& SystemFiles();
FileSystem& ActiveFiles();

}  // namespace dorvane::platform
