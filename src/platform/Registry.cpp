#include "platform/Registry.h"

#include "platform/Files.h"
#include "platform/Process.h"
#include "text/Paths.h"

namespace dorvane::platform {
namespace {

class LinuxRegistry final : public Registry {
 public:
  std::optional<std::string> ReadDefaultValue(RegistryRoot root,
                                              std::string_view key) const override {
    if (root != RegistryRoot::ClassesRoot || key != kHtmlHelpViewerKey) return std::nullopt;
    std::string path = InstalledFilePath(DirectoryOf(SystemProcess().ModuleFileName()),
                                         DORVANE_HELP_VIEWER_FILE, DORVANE_HELP_VIEWER_RELDIR);
    if (path.empty()) return std::nullopt;
    return path;
  }
};

}  // namespace

const Registry& SystemRegistry() {
  static const LinuxRegistry registry;
  return registry;
}

}  // namespace dorvane::platform
