#include "text/Paths.h"

#include <filesystem>

#include "text/Utf8.h"

namespace dorvane {
namespace {

// Paths are UTF-8 in the program. The library's own narrow conversion would read them in the
// system's 8-bit code page on Windows (the ANSI one, which lacks most characters): they go
// through UTF-16, the system's own form there, and are bytes as they are elsewhere.
#ifdef _WIN32
std::filesystem::path PathOf(std::string_view utf8) {
  const std::u16string wide = Utf16FromUtf8(utf8);
  return std::filesystem::path(std::wstring(wide.begin(), wide.end()));
}

std::string TextOf(const std::filesystem::path& path) {
  const std::wstring& native = path.native();
  return Utf8FromUtf16(std::u16string(native.begin(), native.end()));
}
#else
std::filesystem::path PathOf(std::string_view utf8) {
  return std::filesystem::path(std::string(utf8));
}

std::string TextOf(const std::filesystem::path& path) {
  return path.native();
}
#endif

}  // namespace

std::string DirectoryOf(std::string_view path) {
  return TextOf(PathOf(path).parent_path());
}

std::string FileNameOf(std::string_view path) {
  return TextOf(PathOf(path).filename());
}

}  // namespace dorvane
