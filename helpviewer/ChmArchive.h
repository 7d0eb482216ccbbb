// A compiled help file opened for reading. The file is read once, into memory, and everything
// after reads those bytes: CheckContainer walks its directory first, refusing a chunk chain
// that loops, an entry that points outside the file, or a compressed section whose control
// data or reset table is not in the form compilers write. Stored files are served from the
// bytes; the compressed section is unpacked by libmspack, at most once, into a buffer whose
// size was bounded before, and a file of it is served only when every frame it lies in came
// out of the decompressor whole.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dorvane::helpviewer {

enum class OpenResult {
  kOpened,
  kMissing,
  kNotAFile,
  kUnreadable,
  kTooLarge,
  kUnpacksTooLarge,  // its compressed section would unpack to more than kMaxUnpackedSize
  kMalformed
};

// Help files are small; these bounds keep a damaged or hostile one from exhausting memory.
inline constexpr std::uint64_t kMaxHelpFileSize = 64u << 20;
inline constexpr std::uint64_t kMaxObjectSize = 32u << 20;
// What the compressed section may unpack to, all files together. The program's own help file
// holds 35 KiB; this leaves a margin of more than a hundred times while a file whose few kilobytes
// stand for tens of megabytes is refused before anything is unpacked.
inline constexpr std::uint64_t kMaxUnpackedSize = 4u << 20;

// True when the header and every directory chunk reachable by a reader are consistent:
// signatures, sizes, chunk numbers, an acyclic index and listing chain, every stored
// (section 0) file inside the file, and, when there is a compressed section, its control data
// and reset table in the form compilers write them and every compressed file inside its stream.
bool CheckContainer(std::string_view bytes);

class ChmArchive {
 public:
  // Opens the file at path; on failure returns null and says why.
  static std::unique_ptr<ChmArchive> Open(const std::string& path, OpenResult& result);
  // Takes an open descriptor (closed in every case); the file is read through it alone, once.
  static std::unique_ptr<ChmArchive> OpenDescriptor(int fd, OpenResult& result);
  // Takes the bytes of a help file; nothing else is ever read.
  static std::unique_ptr<ChmArchive> OpenBytes(std::string bytes, OpenResult& result);

  ChmArchive(const ChmArchive&) = delete;
  ChmArchive& operator=(const ChmArchive&) = delete;
  ~ChmArchive();

  // The bytes of the named file ("/page.html", looked up without regard to ASCII case), or
  // nothing when it is absent or cannot be read; a file that cannot be read never can.
  std::optional<std::string> Read(const std::string& path) const;
  // The paths of the files a user could be shown (no folders, no internal files), in the
  // order of the directory.
  std::vector<std::string> Files() const;

 private:
  struct Contents;
  explicit ChmArchive(std::unique_ptr<Contents> contents);
  std::unique_ptr<Contents> contents_;
};

}  // namespace dorvane::helpviewer
