#include "platform/Files.h"

namespace dorvane::platform {
namespace {

bool IsSeparator(const PathStyle& style, char c) {
  return c == style.separator || style.otherSeparators.find(c) != std::string_view::npos;
}

}  // namespace

std::string WithoutTrailingSeparators(std::string path) {
  const PathStyle style = ActiveFiles().Style();
  while (!path.empty() && IsSeparator(style, path.back())) path.pop_back();
  return path;
}

std::string InstalledFilePath(const std::string& moduleDir, const std::string& fileName,
                              const std::string& installDir) {
  if (fileName.empty()) return {};
  const char separator = ActiveFiles().Style().separator;
  std::string besideExe = moduleDir + separator + fileName;
  if (ActiveFiles().FileExists(besideExe)) return besideExe;
  return moduleDir + separator + installDir + separator + fileName;
}

}  // namespace dorvane::platform
