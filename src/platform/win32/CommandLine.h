#pragma once

#include <optional>
#include <string_view>

namespace dorvane::platform {

// The program's name, when the command line holds nothing else, as CommandLineToArgvW reads
// it: the first token, up to the closing quote when it starts with one, else up to the first
// blank, then only blanks. Anything less plain (an empty line, a quote inside the name,
// arguments) gives nothing: the system's function splits it.
std::optional<std::wstring_view> NameAlone(std::wstring_view line);

}  // namespace dorvane::platform
