#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dorvane::platform {

enum class RegistryRoot { ClassesRoot };

// The key under which the HTML Help viewer library is registered; its default value is the
// library's full path.
inline constexpr std::string_view kHtmlHelpViewerKey =
    "CLSID\\{adb880a6-d8ff-11cf-9377-00aa003b7a11}\\InprocServer32";

// Read-only access to the system registry.
class Registry {
 public:
  virtual ~Registry() = default;
  // The default (unnamed) value of a key opened for reading only, as stored. Nothing when the
  // key cannot be opened, has no default value, or holds a value that is not text.
  virtual std::optional<std::string> ReadDefaultValue(RegistryRoot root,
                                                      std::string_view key) const = 0;
};

// On Linux the registry holds one key, the help viewer's, whose value is the path of the
// viewer plugin installed with the program: beside the executable in a build tree, in the
// program's library directory once installed.
const Registry& SystemRegistry();
const Registry& ActiveRegistry();

}  // namespace dorvane::platform
