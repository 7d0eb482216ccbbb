// A compiled help file opened for reading. chmlib does the reading; before it sees a file,
// CheckContainer walks the file's directory the way chmlib will, since chmlib trusts it: a
// chunk chain that loops or an entry that points outside the file must be refused here, and
// so must a compressed section whose control data or reset table would make it divide by
// zero or read past its buffers.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct chmFile;

namespace dorvane::helpviewer {

enum class OpenResult { kOpened, kMissing, kNotAFile, kUnreadable, kTooLarge, kMalformed };

// Help files are small; these bounds keep a damaged or hostile one from exhausting memory.
inline constexpr std::uint64_t kMaxHelpFileSize = 64u << 20;
inline constexpr std::uint64_t kMaxObjectSize = 32u << 20;

// True when the header and every directory chunk reachable by a reader are consistent:
// signatures, sizes, chunk numbers, an acyclic index and listing chain, every stored
// (section 0) file inside the file, and, when there is a compressed section, its control data
// and reset table in the form compilers write them and every compressed file inside its stream.
bool CheckContainer(std::string_view bytes);

class ChmArchive {
 public:
  // Opens the file at path; on failure returns null and says why.
  static std::unique_ptr<ChmArchive> Open(const std::string& path, OpenResult& result);
  // Takes an open descriptor (closed in every case); the file is read through it alone.
  static std::unique_ptr<ChmArchive> OpenDescriptor(int fd, OpenResult& result);

  ChmArchive(const ChmArchive&) = delete;
  ChmArchive& operator=(const ChmArchive&) = delete;
  ~ChmArchive();

  // The bytes of the named file ("/page.html", looked up without regard to ASCII case), or
  // nothing when it is absent, too large or cannot be read.
  std::optional<std::string> Read(const std::string& path) const;
  // The paths of the files a user could be shown (no folders, no internal files).
  std::vector<std::string> Files() const;

 private:
  ChmArchive(chmFile* file, int fd) : file_(file), fd_(fd) {}
  chmFile* file_;
  int fd_;
};

}  // namespace dorvane::helpviewer
