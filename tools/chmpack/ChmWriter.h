// Writes a compiled HTML help container (.chm) whose files are all stored uncompressed.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dorvane::chmpack {

// One stored file. Its path is absolute inside the container ("/index.html").
struct ChmEntry {
  std::string path;
  std::string data;
};

// A file of the compressed content section: where its bytes lie in that section's
// uncompressed stream. The packer itself never compresses; readers are tested with these.
struct ChmSection1Entry {
  std::string path;
  std::uint64_t offset = 0;
  std::uint64_t length = 0;
};

// What the help viewer reads from the system file.
struct ChmSystemInfo {
  std::string title;
  std::string defaultTopic;  // path without the leading slash
  std::string contentsFile;  // .hhc, empty when there is none
  std::string indexFile;     // .hhk, empty when there is none
  std::uint32_t language = 0x040C;
};

// Text for the help viewers of `language`, which read the title, the contents and the index
// in that language's Windows code page: Windows-1252 for the languages of Western Europe,
// ASCII for the others; a character beyond it becomes a character reference ("&#8364;").
// Throws std::invalid_argument when `utf8` is not UTF-8.
std::string TextForLanguage(std::string_view utf8, std::uint32_t language);

// A contents or index file (UTF-8) for the viewers of `language`: its text as above, and its
// charset declaration, when it has one, naming the code page used.
std::string SitemapForLanguage(std::string_view utf8, std::uint32_t language);

// The name of the window that viewers open: the system file names it as the default window,
// and the window file defines it.
inline constexpr std::string_view kDefaultWindow = "main";

// Builds the system file's bytes (version 3, one record per known item).
std::string BuildSystemFile(const ChmSystemInfo& info);

// The definition of the default window (#WINDOWS) and the texts it points at (#STRINGS): its
// title, the contents and index files, the default and home page, a navigation pane with the
// Contents and Index tabs (the Contents tab first), the usual tool bar buttons.
struct ChmWindowFiles {
  std::string windows;
  std::string strings;
};
ChmWindowFiles BuildWindowFiles(const ChmSystemInfo& info);

// Builds the whole container: the header, the directory (listing chunks and, when more than one
// is needed, index chunks above them) and the uncompressed content section.
// Throws std::invalid_argument on a path that is empty, not absolute, too long, or repeated
// (paths are looked up without regard to ASCII case, so "/A.htm" and "/a.htm" collide).
// `compressed` lists files of the compressed section; the caller stores that section's control
// data, reset table and content among `entries`.
std::string BuildChm(std::vector<ChmEntry> entries, std::uint32_t language,
                     const std::vector<ChmSection1Entry>& compressed = {});

// The order of the directory: byte-wise after folding ASCII letters to lower case.
bool PathLess(const std::string& a, const std::string& b);

// Appends the variable-length integer of the directory (7 bits a byte, most significant first).
void AppendEncInt(std::string& out, std::uint64_t value);

}  // namespace dorvane::chmpack
