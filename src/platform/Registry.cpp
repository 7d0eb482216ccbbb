#include "platform/Registry.h"

#include <sys/stat.h>

#include "platform/Process.h"

namespace dorvane::platform {
namespace {

bool IsFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

std::string DirectoryOf(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

class LinuxRegistry final : public Registry {
 public:
  std::optional<std::string> ReadDefaultValue(RegistryRoot root,
                                              std::string_view key) const override {
    if (root != RegistryRoot::ClassesRoot || key != kHtmlHelpViewerKey) return std::nullopt;
    std::string path = HelpViewerPluginPath(DirectoryOf(SystemProcess().ModuleFileName()),
                                            DORVANE_HELP_VIEWER_FILE, DORVANE_HELP_VIEWER_RELDIR);
    if (path.empty()) return std::nullopt;
    return path;
  }
};

const Registry* g_active = nullptr;

}  // namespace

std::string HelpViewerPluginPath(const std::string& moduleDir, const std::string& fileName,
                                 const std::string& installDir) {
  if (fileName.empty()) return {};
  std::string besideExe = moduleDir + "/" + fileName;
  if (IsFile(besideExe)) return besideExe;
  return moduleDir + "/" + installDir + "/" + fileName;
}

const Registry& SystemRegistry() {
  static const LinuxRegistry registry;
  return registry;
}

const Registry& ActiveRegistry() { return g_active != nullptr ? *g_active : SystemRegistry(); }

void SetActiveRegistry(const Registry* registry) { g_active = registry; }

}  // namespace dorvane::platform
