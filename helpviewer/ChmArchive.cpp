#include "ChmArchive.h"

#include <chm_lib.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <limits>

namespace dorvane::helpviewer {
namespace {

constexpr std::uint64_t kMaxChunkSize = 1u << 20;
constexpr std::uint64_t kMaxPathBytes = 512;  // chmlib's own limit on a directory name
constexpr std::size_t kListingHeader = 0x14;
constexpr std::size_t kIndexHeader = 0x08;

std::uint32_t U32(std::string_view b, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<std::uint8_t>(b[at + static_cast<std::size_t>(i)]);
  return v;
}

std::uint64_t U64(std::string_view b, std::size_t at) {
  return U32(b, at) | (static_cast<std::uint64_t>(U32(b, at + 4)) << 32);
}

std::int32_t S32(std::string_view b, std::size_t at) { return static_cast<std::int32_t>(U32(b, at)); }

// Reads one variable-length integer within [pos, end); false when it runs past end or overflows.
bool ReadEncInt(std::string_view b, std::size_t& pos, std::size_t end, std::uint64_t& value) {
  value = 0;
  for (int n = 0; n < 9; ++n) {
    if (pos >= end) return false;
    const auto byte = static_cast<std::uint8_t>(b[pos++]);
    value = (value << 7) | (byte & 0x7F);
    if ((byte & 0x80) == 0) return true;
  }
  return false;
}

struct Layout {
  std::string_view bytes;
  std::uint64_t directoryOffset = 0;
  std::uint64_t dataOffset = 0;
  std::uint64_t chunkSize = 0;
  std::uint64_t chunkCount = 0;

  std::string_view Chunk(std::uint64_t n) const {
    return bytes.substr(directoryOffset + 0x54 + n * chunkSize, chunkSize);
  }
};

// The entries area of a chunk, after its header and before its free space and quick references.
bool EntriesEnd(std::string_view chunk, std::size_t header, std::size_t& end) {
  const std::uint64_t freeSpace = U32(chunk, 4);
  if (freeSpace > chunk.size() - header) return false;
  end = chunk.size() - static_cast<std::size_t>(freeSpace);
  return true;
}

bool ReadName(std::string_view chunk, std::size_t& pos, std::size_t end) {
  std::uint64_t length = 0;
  if (!ReadEncInt(chunk, pos, end, length) || length > kMaxPathBytes || length > end - pos) return false;
  pos += static_cast<std::size_t>(length);
  return true;
}

bool CheckListing(const Layout& l, std::string_view chunk) {
  if (chunk.substr(0, 4) != "PMGL") return false;
  std::size_t end = 0;
  if (!EntriesEnd(chunk, kListingHeader, end)) return false;
  std::size_t pos = kListingHeader;
  while (pos < end) {
    std::uint64_t section = 0, offset = 0, length = 0;
    if (!ReadName(chunk, pos, end) || !ReadEncInt(chunk, pos, end, section) ||
        !ReadEncInt(chunk, pos, end, offset) || !ReadEncInt(chunk, pos, end, length))
      return false;
    if (section > 1 || length > kMaxObjectSize) return false;
    if (section == 0) {
      const std::uint64_t available = l.bytes.size() - l.dataOffset;
      if (offset > available || length > available - offset) return false;
    }
  }
  return true;
}

// The chunk numbers an index chunk points to, or false when it is damaged.
bool IndexChildren(const Layout& l, std::string_view chunk, std::vector<std::uint64_t>& children) {
  std::size_t end = 0;
  if (!EntriesEnd(chunk, kIndexHeader, end)) return false;
  std::size_t pos = kIndexHeader;
  while (pos < end) {
    std::uint64_t child = 0;
    if (!ReadName(chunk, pos, end) || !ReadEncInt(chunk, pos, end, child) || child >= l.chunkCount)
      return false;
    children.push_back(child);
  }
  return true;
}

// Walks the index from its root: every chunk reached is an index or listing chunk, and no
// path through the index comes back to a chunk it has already passed.
bool CheckIndex(const Layout& l, std::uint64_t root) {
  enum class Mark { kNew, kOpen, kDone };
  std::vector<Mark> marks(l.chunkCount, Mark::kNew);
  struct Frame {
    std::uint64_t chunk;
    std::vector<std::uint64_t> children;
    std::size_t next = 0;
  };
  std::vector<Frame> stack;
  auto enter = [&](std::uint64_t n) {
    const std::string_view chunk = l.Chunk(n);
    marks[n] = Mark::kOpen;
    Frame f{n, {}};
    if (chunk.substr(0, 4) == "PMGI") {
      if (!IndexChildren(l, chunk, f.children)) return false;
    } else if (!CheckListing(l, chunk)) {
      return false;
    }
    stack.push_back(std::move(f));
    return true;
  };
  if (!enter(root)) return false;
  while (!stack.empty()) {
    Frame& top = stack.back();
    if (top.next == top.children.size()) {
      marks[top.chunk] = Mark::kDone;
      stack.pop_back();
      continue;
    }
    const std::uint64_t child = top.children[top.next++];
    if (marks[child] == Mark::kOpen) return false;
    if (marks[child] == Mark::kNew && !enter(child)) return false;
  }
  return true;
}

}  // namespace

bool CheckContainer(std::string_view b) {
  if (b.size() < 0x58 || b.substr(0, 4) != "ITSF") return false;
  const std::uint32_t version = U32(b, 4);
  const std::uint32_t headerLength = U32(b, 8);
  if (version < 2 || version > 3 || headerLength < (version == 3 ? 0x60u : 0x58u) ||
      headerLength > b.size())
    return false;

  Layout l;
  l.bytes = b;
  l.directoryOffset = U64(b, 0x48);
  const std::uint64_t directoryLength = U64(b, 0x50);
  if (l.directoryOffset > b.size() || directoryLength > b.size() - l.directoryOffset ||
      directoryLength < 0x54)
    return false;
  l.dataOffset = version == 3 ? U64(b, 0x58) : l.directoryOffset + directoryLength;
  if (l.dataOffset > b.size()) return false;

  const std::string_view itsp = b.substr(l.directoryOffset, 0x54);
  if (itsp.substr(0, 4) != "ITSP" || U32(itsp, 4) != 1 || U32(itsp, 8) != 0x54) return false;
  l.chunkSize = U32(itsp, 0x10);
  l.chunkCount = U32(itsp, 0x2C);
  if (l.chunkSize < 0x20 || l.chunkSize > kMaxChunkSize || l.chunkCount == 0 ||
      l.chunkCount > (directoryLength - 0x54) / l.chunkSize)
    return false;

  const std::int32_t root = S32(itsp, 0x1C);
  const std::int32_t head = S32(itsp, 0x20);
  if (head < 0 || static_cast<std::uint64_t>(head) >= l.chunkCount) return false;
  if (root < -1 || (root >= 0 && static_cast<std::uint64_t>(root) >= l.chunkCount)) return false;

  // The listing chain, as enumeration follows it: listing chunks only, each once.
  std::vector<bool> seen(l.chunkCount, false);
  for (std::int64_t n = head; n != -1;) {
    if (n < 0 || static_cast<std::uint64_t>(n) >= l.chunkCount || seen[static_cast<std::size_t>(n)])
      return false;
    seen[static_cast<std::size_t>(n)] = true;
    const std::string_view chunk = l.Chunk(static_cast<std::uint64_t>(n));
    if (!CheckListing(l, chunk)) return false;
    n = S32(chunk, 0x10);
  }
  return root < 0 || CheckIndex(l, static_cast<std::uint64_t>(root));
}

std::unique_ptr<ChmArchive> ChmArchive::Open(const std::string& path, OpenResult& result) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    result = (errno == ENOENT || errno == ENOTDIR) ? OpenResult::kMissing : OpenResult::kUnreadable;
    return nullptr;
  }
  if (!S_ISREG(st.st_mode)) {
    result = OpenResult::kNotAFile;
    return nullptr;
  }
  // Non-blocking, in case a pipe took the file's place since the check above.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    result = OpenResult::kUnreadable;
    return nullptr;
  }
  return OpenDescriptor(fd, result);
}

std::unique_ptr<ChmArchive> ChmArchive::OpenDescriptor(int fd, OpenResult& result) {
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    result = OpenResult::kNotAFile;
    return nullptr;
  }
  if (static_cast<std::uint64_t>(st.st_size) > kMaxHelpFileSize) {
    ::close(fd);
    result = OpenResult::kTooLarge;
    return nullptr;
  }
  std::string bytes(static_cast<std::size_t>(st.st_size), '\0');
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::pread(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  if (done != bytes.size()) {
    ::close(fd);
    result = OpenResult::kUnreadable;
    return nullptr;
  }
  if (!CheckContainer(bytes)) {
    ::close(fd);
    result = OpenResult::kMalformed;
    return nullptr;
  }
  // chmlib opens by name: through our descriptor, so it reads the very file checked above.
  const std::string self = "/proc/self/fd/" + std::to_string(fd);
  chmFile* file = chm_open(self.c_str());
  if (file == nullptr) {
    ::close(fd);
    result = OpenResult::kMalformed;
    return nullptr;
  }
  result = OpenResult::kOpened;
  return std::unique_ptr<ChmArchive>(new ChmArchive(file, fd));
}

ChmArchive::~ChmArchive() {
  chm_close(file_);
  ::close(fd_);
}

std::optional<std::string> ChmArchive::Read(const std::string& path) const {
  if (path.empty() || path.size() > kMaxPathBytes) return std::nullopt;
  chmUnitInfo ui{};
  if (chm_resolve_object(file_, path.c_str(), &ui) != CHM_RESOLVE_SUCCESS) return std::nullopt;
  if (ui.length > kMaxObjectSize) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(ui.length), '\0');
  if (ui.length == 0) return bytes;
  const LONGINT64 got = chm_retrieve_object(file_, &ui, reinterpret_cast<unsigned char*>(bytes.data()),
                                            0, static_cast<LONGINT64>(ui.length));
  if (got != static_cast<LONGINT64>(ui.length)) return std::nullopt;
  return bytes;
}

std::vector<std::string> ChmArchive::Files() const {
  std::vector<std::string> files;
  chm_enumerate(
      file_, CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_FILES,
      [](chmFile*, chmUnitInfo* ui, void* context) -> int {
        static_cast<std::vector<std::string>*>(context)->emplace_back(ui->path);
        return CHM_ENUMERATOR_CONTINUE;
      },
      &files);
  return files;
}

}  // namespace dorvane::helpviewer
