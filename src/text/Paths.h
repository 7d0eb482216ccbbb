#pragma once

#include <string>
#include <string_view>

namespace dorvane {

// Parts of a file path, by the platform's own path rules (std::filesystem).
// "/usr/bin/dorvane" -> "/usr/bin"; "/dorvane" -> "/"; "dorvane" -> "".
std::string DirectoryOf(std::string_view path);
// "/usr/bin/dorvane" -> "dorvane"; "/usr/bin/" -> "".
std::string FileNameOf(std::string_view path);
// The file `name` in the directory of `path`: "/usr/bin/dorvane", "Dorvane.chm" ->
// "/usr/bin/Dorvane.chm"; just `name` when the path has no directory.
std::string PathBeside(std::string_view path, std::string_view name);

}  // namespace dorvane
