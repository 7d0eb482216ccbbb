#include "platform/Settings.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "platform/posix/WriteAll.h"

namespace dorvane::platform {
namespace {

constexpr std::string_view kSection = "General";

// The folder of the program's settings: $XDG_CONFIG_HOME when it is an absolute path, else
// ~/.config; empty when neither is known.
std::string ConfigFolder() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config != nullptr && config[0] == '/') return std::string(config) + "/Dorvane";
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] == '/') return std::string(home) + "/.config/Dorvane";
  return {};
}

// The whole file; nothing when it cannot be read. A missing file reads as empty.
std::optional<std::string> ReadWhole(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return errno == ENOENT ? std::optional<std::string>(std::string()) : std::nullopt;
  struct stat info {};
  std::optional<std::string> text;
  if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
    text.emplace();
    char buffer[4096];
    for (;;) {
      const ssize_t n = ::read(fd, buffer, sizeof buffer);
      if (n == 0) break;
      if (n < 0) {
        if (errno == EINTR) continue;
        text.reset();
        break;
      }
      text->append(buffer, static_cast<std::size_t>(n));
    }
  }
  ::close(fd);
  return text;
}

// Makes the folder and those above it that are missing, readable by their owner only.
bool MakeFolders(const std::string& folder) {
  for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
    const std::string part = folder.substr(0, slash);
    if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) break;
  }
  struct stat info {};
  return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

class IniSettings final : public Settings {
 public:
  std::vector<std::optional<bool>> ReadBools(
      std::span<const std::string_view> names) const override {
    std::vector<std::optional<bool>> values(names.size());
    const std::string folder = ConfigFolder();
    if (folder.empty()) return values;
    const std::optional<std::string> text = ReadWhole(folder + "/Dorvane.conf");
    for (std::size_t i = 0; text && i < names.size(); ++i) {
      const std::optional<std::string> value = IniValue(*text, kSection, names[i]);
      if (value == "true" || value == "false") values[i] = value == "true";
    }
    return values;
  }

  // The file is written whole beside itself, then renamed over the old one, so that a crash or
  // a full disk never leaves half a file.
  bool WriteBool(std::string_view name, bool value) override {
    const std::string folder = ConfigFolder();
    if (folder.empty() || !MakeFolders(folder)) return false;
    const std::string path = folder + "/Dorvane.conf";
    const std::optional<std::string> old = ReadWhole(path);
    if (!old) return false;  // an unreadable file is never replaced: its other keys would go
    const std::string text = WithIniValue(*old, kSection, name, value ? "true" : "false");
    if (text == *old) return true;
    std::string temp = path + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return false;
    bool written = WriteAll(fd, text) && ::fsync(fd) == 0;
    written = ::close(fd) == 0 && written;
    if (!written || ::rename(temp.c_str(), path.c_str()) != 0) {
      ::unlink(temp.c_str());
      return false;
    }
    return true;
  }
};

}  // namespace

Settings& SystemSettings() {
  static IniSettings settings;
  return settings;
}

}  // namespace dorvane::platform
