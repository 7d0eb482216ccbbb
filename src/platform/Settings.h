#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace dorvane::platform {

// The names of the user's stored choices.
inline constexpr std::string_view kShowWeekNumbers = "ShowWeekNumbers";
inline constexpr std::string_view kShowHolidays = "ShowHolidays";

// The user's own choices, kept between runs: on Windows values of the key
// HKEY_CURRENT_USER\Software\Dorvane (REG_DWORD, 1 or 0); on Linux the [General] section of
// $XDG_CONFIG_HOME/Dorvane/Dorvane.conf (else ~/.config/Dorvane/Dorvane.conf), `true` or
// `false`. A store that cannot be read or written never stops the program: a choice then lasts
// for the session.
class Settings {
 public:
  virtual ~Settings() = default;
  // The stored choices, by name, from one reading of the store; nothing for a name when none
  // is stored, it is unreadable or not a yes or a no.
  virtual std::vector<std::optional<bool>> ReadBools(
      std::span<const std::string_view> names) const = 0;
  std::optional<bool> ReadBool(std::string_view name) const { return ReadBools({&name, 1})[0]; }
  // Stores the choice; false when it could not be stored (nothing else is changed then).
  virtual bool WriteBool(std::string_view name, bool value) = 0;
};

Settings& SystemSettings();
Settings& ActiveSettings();

// The INI text the Linux store keeps: "[Section]" headers, "Key=Value" lines, blank lines and
// comments (';' or '#'), "\n" or "\r\n" line ends. Keys before the first header are in no
// section. Names compare exactly.

// The value of `key` in `section`, blanks around it removed; nothing when absent.
std::optional<std::string> IniValue(std::string_view text, std::string_view section,
                                    std::string_view key);
// `text` with `key` of `section` set to `value`: its line rewritten in place when it has one,
// else a line added at the section's end, else the section added at the end of the text.
// Every other line, comment and section is kept as it is.
std::string WithIniValue(std::string_view text, std::string_view section, std::string_view key,
                         std::string_view value);

}  // namespace dorvane::platform
