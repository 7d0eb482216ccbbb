#include "platform/SystemInfo.h"

#include "platform/LocaleSource.h"
#include "text/Ascii.h"
#include "text/Paths.h"

#include <sys/stat.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <string>
#include <utility>

namespace dorvane::platform {
namespace {

std::string EnvironmentText(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::string(value) : std::string();
}

// Windows locale identifiers of the POSIX locales that have one.
constexpr std::pair<std::string_view, std::uint32_t> kLocaleIds[] = {
    {"fr_FR", 0x040C}, {"fr_BE", 0x080C}, {"fr_CA", 0x0C0C}, {"fr_CH", 0x100C}, {"fr_LU", 0x140C},
    {"fr_MC", 0x180C}, {"en_US", 0x0409}, {"en_GB", 0x0809}, {"en_AU", 0x0C09}, {"en_CA", 0x1009},
    {"en_NZ", 0x1409}, {"en_IE", 0x1809}, {"en_ZA", 0x1C09}, {"en_IN", 0x4009}, {"de_DE", 0x0407},
    {"de_CH", 0x0807}, {"de_AT", 0x0C07}, {"de_LU", 0x1007}, {"de_LI", 0x1407}, {"es_ES", 0x0C0A},
    {"es_MX", 0x080A}, {"es_AR", 0x2C0A}, {"it_IT", 0x0410}, {"it_CH", 0x0810}, {"nl_NL", 0x0413},
    {"nl_BE", 0x0813}, {"pt_BR", 0x0416}, {"pt_PT", 0x0816}, {"ca_ES", 0x0403}, {"eu_ES", 0x042D},
    {"gl_ES", 0x0456}, {"br_FR", 0x047E}, {"oc_FR", 0x0482}, {"co_FR", 0x0483}, {"lb_LU", 0x046E},
    {"ga_IE", 0x083C}, {"cy_GB", 0x0452}, {"da_DK", 0x0406}, {"sv_SE", 0x041D}, {"nb_NO", 0x0414},
    {"nn_NO", 0x0814}, {"fi_FI", 0x040B}, {"is_IS", 0x040F}, {"pl_PL", 0x0415}, {"cs_CZ", 0x0405},
    {"sk_SK", 0x041B}, {"hu_HU", 0x040E}, {"ro_RO", 0x0418}, {"bg_BG", 0x0402}, {"hr_HR", 0x041A},
    {"sl_SI", 0x0424}, {"el_GR", 0x0408}, {"tr_TR", 0x041F}, {"ru_RU", 0x0419}, {"uk_UA", 0x0422},
    {"ja_JP", 0x0411}, {"ko_KR", 0x0412}, {"zh_CN", 0x0804}, {"zh_TW", 0x0404}, {"ar_SA", 0x0401},
    {"he_IL", 0x040D},
};

class LinuxSystemInfo final : public SystemInfo {
 public:
  // The user's own: $TMPDIR, else the user's runtime directory, else a directory of the
  // user's own in /tmp, which all users share (a file one user left there would keep the
  // next one's out).
  std::string TempDirectory() const override {
    for (const char* name : {"TMPDIR", "XDG_RUNTIME_DIR"}) {
      std::string dir = EnvironmentText(name);
      if (!dir.empty()) return dir;
    }
    const std::string own = "/tmp/dorvane-" + std::to_string(::geteuid());
    ::mkdir(own.c_str(), S_IRWXU);
    // Only a real directory of ours that no one else may write to; else the shared one.
    struct stat st {};
    if (::lstat(own.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() &&
        (st.st_mode & (S_IWGRP | S_IWOTH)) == 0)
      return own;
    return "/tmp";
  }

  std::string SystemDirectory() const override { return DORVANE_SYSTEM_LIBDIR; }

  // A shared object's version is in the name of the file its links lead to.
  std::optional<VersionNumbers> FileVersion(const std::string& path) const override {
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (resolved == nullptr) return std::nullopt;
    auto version = SharedObjectVersion(FileNameOf(resolved));
    std::free(resolved);
    return version;
  }

  PlatformVersion Version() const override {
    struct utsname names {};
    if (::uname(&names) != 0) return {};
    return KernelVersion(names.sysname, names.release);
  }

  // The locale whose formats the user chose, as the C library reads it.
  std::uint32_t DefaultLocaleId() const override {
    const std::string name = UserLocaleName();
    return name.empty() ? 0 : LocaleIdOfName(name);
  }
};

}  // namespace

std::optional<VersionNumbers> SharedObjectVersion(std::string_view fileName) {
  constexpr std::string_view kMarker = ".so.";
  const auto at = fileName.rfind(kMarker);
  if (at == std::string_view::npos) return std::nullopt;
  const std::string_view suffix = fileName.substr(at + kMarker.size());
  VersionNumbers numbers{};
  std::size_t pos = 0;
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    const auto n = ReadLeadingDigits<std::uint16_t>(suffix, pos);
    if (!n) return std::nullopt;
    numbers[i] = *n;
    if (pos == suffix.size()) return numbers;
    if (suffix[pos] != '.') return std::nullopt;
    ++pos;
  }
  return std::nullopt;
}

PlatformVersion KernelVersion(std::string_view sysname, std::string_view release) {
  PlatformVersion v;
  v.name = std::string(sysname);
  std::uint32_t* parts[] = {&v.major, &v.minor, &v.build};
  std::size_t pos = 0;
  for (std::uint32_t* part : parts) {
    const auto n = ReadLeadingDigits<std::uint32_t>(release, pos);
    if (!n) break;
    *part = *n;
    if (pos >= release.size() || release[pos] != '.') break;
    ++pos;
  }
  return v;
}

std::uint32_t LocaleIdOfName(std::string_view localeName) {
  // language[_territory][.codeset][@modifier]; a hyphen is accepted for the underscore.
  const std::string_view base = localeName.substr(0, localeName.find_first_of(".@"));
  std::string key(base);
  if (key.size() == 5 && key[2] == '-') key[2] = '_';
  for (const auto& [name, id] : kLocaleIds) {
    if (name == key) return id;
  }
  return 0;
}

const SystemInfo& SystemSystemInfo() {
  static const LinuxSystemInfo info;
  return info;
}

}  // namespace dorvane::platform
