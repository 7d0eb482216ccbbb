#include "text/Paths.h"

#include <filesystem>

namespace dorvane {

std::string DirectoryOf(std::string_view path) {
  return std::filesystem::path(path).parent_path().string();
}

std::string FileNameOf(std::string_view path) {
  return std::filesystem::path(path).filename().string();
}

}  // namespace dorvane
