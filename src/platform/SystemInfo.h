#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dorvane::platform {

// A file version: major, minor, release, build.
using VersionNumbers = std::array<std::uint16_t, 4>;

struct PlatformVersion {
  std::string name;  // the system's name, as reported next to its version numbers
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  std::uint32_t build = 0;
};

// Facts about the system the program runs on.
class SystemInfo {
 public:
  virtual ~SystemInfo() = default;
  // The directory for temporary files.
  virtual std::string TempDirectory() const = 0;
  // The directory of the system's own libraries.
  virtual std::string SystemDirectory() const = 0;
  // The version a file declares; nothing when it declares none.
  virtual std::optional<VersionNumbers> FileVersion(const std::string& path) const = 0;
  virtual PlatformVersion Version() const = 0;
  // The Windows locale identifier of the user's locale; 0 when it has none.
  virtual std::uint32_t DefaultLocaleId() const = 0;
};

const SystemInfo& SystemSystemInfo();
const SystemInfo& ActiveSystemInfo();

// Linux stand-ins, exposed for their tests.

// The numeric suffix of a shared object's file name: "libfoo.so.1.2.3" gives 1.2.3.0.
// Nothing without such a suffix, or when it has more than four numbers or one above 65535.
std::optional<VersionNumbers> SharedObjectVersion(std::string_view fileName);

// The leading numbers of a kernel release such as "6.1.0-18-amd64": 6, 1 and 0.
PlatformVersion KernelVersion(std::string_view sysname, std::string_view release);

// The Windows locale identifier of a POSIX locale name such as "fr_FR.UTF-8@euro"
// (0x040C); 0 for a locale without one.
std::uint32_t LocaleIdOfName(std::string_view localeName);

}  // namespace dorvane::platform
