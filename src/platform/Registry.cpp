#include "platform/Registry.h"

#include "platform/Files.h"
#include "platform/Process.h"

namespace dorvane::platform {
namespace {

std::string DirectoryOf(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

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

const Registry* g_active = nullptr;

}  // namespace

const Registry& SystemRegistry() {
  static const LinuxRegistry registry;
  return registry;
}

const Registry& ActiveRegistry() { return g_active != nullptr ? *g_active : SystemRegistry(); }

void SetActiveRegistry(const Registry* registry) { g_active = registry; }

}  // namespace dorvane::platform
