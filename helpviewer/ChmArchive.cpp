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
  for (int i = 3; i >= 0; --i)
    v = (v << 8) | static_cast<std::uint8_t>(b[at + static_cast<std::size_t>(i)]);
  return v;
}

std::uint64_t U64(std::string_view b, std::size_t at) {
  return U32(b, at) | (static_cast<std::uint64_t>(U32(b, at + 4)) << 32);
}

std::int32_t S32(std::string_view b, std::size_t at) {
  return static_cast<std::int32_t>(U32(b, at));
}

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

// A directory entry as a reader resolves it: its name ends at the first NUL.
struct Entry {
  std::string_view name;
  std::uint64_t section = 0;
  std::uint64_t offset = 0;
  std::uint64_t length = 0;
};

bool ReadName(std::string_view chunk, std::size_t& pos, std::size_t end,
              std::string_view* name = nullptr) {
  std::uint64_t length = 0;
  if (!ReadEncInt(chunk, pos, end, length) || length > kMaxPathBytes || length > end - pos)
    return false;
  if (name != nullptr) {
    *name = chunk.substr(pos, static_cast<std::size_t>(length));
    *name = name->substr(0, name->find('\0'));
  }
  pos += static_cast<std::size_t>(length);
  return true;
}

// Checks a listing chunk and adds its entries to `entries`.
bool CheckListing(const Layout& l, std::string_view chunk, std::vector<Entry>& entries) {
  if (chunk.substr(0, 4) != "PMGL") return false;
  std::size_t end = 0;
  if (!EntriesEnd(chunk, kListingHeader, end)) return false;
  std::size_t pos = kListingHeader;
  while (pos < end) {
    Entry e;
    if (!ReadName(chunk, pos, end, &e.name) || !ReadEncInt(chunk, pos, end, e.section) ||
        !ReadEncInt(chunk, pos, end, e.offset) || !ReadEncInt(chunk, pos, end, e.length))
      return false;
    if (e.section > 1 || e.length > kMaxObjectSize) return false;
    if (e.section == 0) {
      const std::uint64_t available = l.bytes.size() - l.dataOffset;
      if (e.offset > available || e.length > available - e.offset) return false;
    }
    entries.push_back(e);
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
bool CheckIndex(const Layout& l, std::uint64_t root, std::vector<bool>& listed,
                std::vector<Entry>& entries) {
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
    } else if (!listed[n]) {
      if (!CheckListing(l, chunk, entries)) return false;
      listed[n] = true;
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

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto fold = [](char c) {
      return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    };
    if (fold(a[i]) != fold(b[i])) return false;
  }
  return true;
}

constexpr std::string_view kContentName = "::DataSpace/Storage/MSCompressed/Content";
constexpr std::string_view kControlName = "::DataSpace/Storage/MSCompressed/ControlData";
constexpr std::string_view kResetTableName =
    "::DataSpace/Storage/MSCompressed/Transform/{7FC28940-9D31-11D0-9B27-00A0C91E9C7C}/"
    "InstanceData/ResetTable";

// The LZX frame: the unit of the reset table and of the control data's sizes (version 2).
constexpr std::uint64_t kFrame = 0x8000;
// A frame of 32 KiB never takes much more than that once compressed: a stored block adds a
// few bytes of header. The slack is generous; anything above it is not LZX data.
constexpr std::uint64_t kMaxCompressedFrame = kFrame + 0x1800;
// Frames between two resets. Compilers write 2; this allows resets as rare as every 32 MiB,
// the largest object the reader accepts.
constexpr std::uint64_t kMaxFramesPerReset = 1024;

// The bytes of a stored (section 0) entry, already known to lie inside the file.
std::string_view Stored(const Layout& l, const Entry& e) {
  return l.bytes.substr(static_cast<std::size_t>(l.dataOffset + e.offset),
                        static_cast<std::size_t>(e.length));
}

// The compressed section as a reader decompresses it: its control data says how the LZX
// stream was written, its reset table where each frame starts, and its content holds the
// frames. None of these is trusted by the reader, so each is checked here: the forms
// compilers write are accepted (control data version 2, windows of 32 KiB to 2 MiB, frames
// of 32 KiB), anything else is refused, and so is every file of the section that the
// stream does not hold.
bool CheckCompressedSection(const Layout& l, const std::vector<Entry>& entries) {
  const Entry* content = nullptr;
  const Entry* control = nullptr;
  const Entry* resetTable = nullptr;
  bool anyCompressed = false;
  for (const Entry& e : entries) {
    anyCompressed = anyCompressed || e.section == 1;
    for (auto [name, slot] : {std::pair{kContentName, &content}, std::pair{kControlName, &control},
                              std::pair{kResetTableName, &resetTable}}) {
      if (!EqualsNoCase(e.name, name)) continue;
      // A second entry of the same name: which one a reader finds depends on its path.
      if (*slot != nullptr || e.section != 0) return false;
      *slot = &e;
    }
  }
  if (content == nullptr && control == nullptr && resetTable == nullptr) return !anyCompressed;
  if (content == nullptr || control == nullptr || resetTable == nullptr) return false;

  // Control data: size in dwords, "LZXC", version, reset interval, window size, windows per
  // reset, one more dword; sizes in frames.
  const std::string_view cd = Stored(l, *control);
  if (cd.size() < 0x1C || cd.substr(4, 4) != "LZXC" || U32(cd, 8) != 2) return false;
  const std::uint64_t resetInterval = U32(cd, 0x0C);
  const std::uint64_t windowSize = U32(cd, 0x10);
  const std::uint64_t windowsPerReset = U32(cd, 0x14);
  if (windowSize == 0 || windowSize > 64 || (windowSize & (windowSize - 1)) != 0) return false;
  if (resetInterval == 0 || windowsPerReset == 0 || (2 * resetInterval) % windowSize != 0)
    return false;
  // Frames from one reset to the next: the reset interval counted in half windows, once per window.
  if ((2 * resetInterval / windowSize) > kMaxFramesPerReset / windowsPerReset) return false;

  // Reset table: version, frame count, entry size, table offset, uncompressed and compressed
  // lengths, frame length, then one offset into the content per frame.
  const std::string_view rt = Stored(l, *resetTable);
  if (rt.size() < 0x28 || U32(rt, 0) != 2 || U32(rt, 8) != 8) return false;
  const std::uint64_t frames = U32(rt, 4);
  const std::uint64_t tableOffset = U32(rt, 0x0C);
  const std::uint64_t uncompressed = U64(rt, 0x10);
  const std::uint64_t compressed = U64(rt, 0x18);
  if (U64(rt, 0x20) != kFrame || tableOffset < 0x28 || tableOffset > rt.size() ||
      frames > (rt.size() - tableOffset) / 8)
    return false;
  if (compressed > content->length || frames != (uncompressed + kFrame - 1) / kFrame) return false;
  std::uint64_t previous = 0;
  for (std::uint64_t i = 0; i <= frames; ++i) {
    const std::uint64_t start =
        i < frames ? U64(rt, static_cast<std::size_t>(tableOffset + 8 * i)) : compressed;
    if ((i == 0 && start != 0) || start < previous || start > compressed ||
        start - previous > kMaxCompressedFrame)
      return false;
    previous = start;
  }

  for (const Entry& e : entries) {
    if (e.section == 1 && (e.offset > uncompressed || e.length > uncompressed - e.offset))
      return false;
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
  std::vector<bool> listed(l.chunkCount, false);
  std::vector<Entry> entries;
  for (std::int64_t n = head; n != -1;) {
    if (n < 0 || static_cast<std::uint64_t>(n) >= l.chunkCount ||
        listed[static_cast<std::size_t>(n)])
      return false;
    listed[static_cast<std::size_t>(n)] = true;
    const std::string_view chunk = l.Chunk(static_cast<std::uint64_t>(n));
    if (!CheckListing(l, chunk, entries)) return false;
    n = S32(chunk, 0x10);
  }
  if (root >= 0 && !CheckIndex(l, static_cast<std::uint64_t>(root), listed, entries)) return false;
  return CheckCompressedSection(l, entries);
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
    const ssize_t n =
        ::pread(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
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
  const LONGINT64 got =
      chm_retrieve_object(file_, &ui, reinterpret_cast<unsigned char*>(bytes.data()), 0,
                          static_cast<LONGINT64>(ui.length));
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
