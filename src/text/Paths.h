#pragma once

#include <string>
#include <string_view>

namespace dorvane {

// Parts of a file path, by the platform's own path rules (std::filesystem).
// "/usr/bin/dorvane" -> "/usr/bin"; "/dorvane" -> "/"; "dorvane" -> "".
std::string DirectoryOf(std::string_view path);
// "/usr/bin/dorvane" -> "dorvane"; "/usr/bin/" -> "".
std::string FileNameOf(std::string_view path);

}  // namespace dorvane
