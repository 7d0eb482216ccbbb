#include "ChmArchive.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <mspack.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <mutex>
#include <new>
#include <unordered_map>

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

struct CompressedSection {
  bool present = false;
  // The stored files that hold the stream and say how to unpack it.
  Entry content, control, resetTable;
  std::uint64_t unpackedSize = 0;
  std::uint64_t resetBytes = kFrame;  // the stream starts afresh at each multiple of this
};

struct Directory {
  std::vector<Entry> entries;  // in the order of the listing chain, then of the index
  std::uint64_t dataOffset = 0;
  CompressedSection section;
};
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
OpenResult CheckCompressedSection(const Layout& l, const std::vector<Entry>& entries,
                                  CompressedSection& section) {
  constexpr OpenResult kDamaged = OpenResult::kMalformed;
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
      if (*slot != nullptr || e.section != 0) return kDamaged;
      *slot = &e;
    }
  }
  if (content == nullptr && control == nullptr && resetTable == nullptr)
    return anyCompressed ? kDamaged : OpenResult::kOpened;
  if (content == nullptr || control == nullptr || resetTable == nullptr) return kDamaged;

  // Control data: size in dwords, "LZXC", version, reset interval, window size, windows per
  // reset, one more dword; sizes in frames.
  const std::string_view cd = Stored(l, *control);
  if (cd.size() < 0x1C || cd.substr(4, 4) != "LZXC" || U32(cd, 8) != 2) return kDamaged;
  const std::uint64_t resetInterval = U32(cd, 0x0C);
  const std::uint64_t windowSize = U32(cd, 0x10);
  const std::uint64_t windowsPerReset = U32(cd, 0x14);
  if (windowSize == 0 || windowSize > 64 || (windowSize & (windowSize - 1)) != 0) return kDamaged;
  if (resetInterval == 0 || windowsPerReset == 0 || (2 * resetInterval) % windowSize != 0)
    return kDamaged;
  // Frames from one reset to the next: the reset interval counted in half windows, once per window.
  if ((2 * resetInterval / windowSize) > kMaxFramesPerReset / windowsPerReset) return kDamaged;

  // Reset table: version, frame count, entry size, table offset, uncompressed and compressed
  // lengths, frame length, then one offset into the content per frame.
  const std::string_view rt = Stored(l, *resetTable);
  if (rt.size() < 0x28 || U32(rt, 0) != 2 || U32(rt, 8) != 8) return kDamaged;
  const std::uint64_t frames = U32(rt, 4);
  const std::uint64_t tableOffset = U32(rt, 0x0C);
  const std::uint64_t uncompressed = U64(rt, 0x10);
  const std::uint64_t compressed = U64(rt, 0x18);
  if (U64(rt, 0x20) != kFrame || tableOffset < 0x28 || tableOffset > rt.size() ||
      frames > (rt.size() - tableOffset) / 8)
    return kDamaged;
  if (compressed > content->length || frames != (uncompressed + kFrame - 1) / kFrame)
    return kDamaged;
  std::uint64_t previous = 0;
  for (std::uint64_t i = 0; i <= frames; ++i) {
    const std::uint64_t start =
        i < frames ? U64(rt, static_cast<std::size_t>(tableOffset + 8 * i)) : compressed;
    if ((i == 0 && start != 0) || start < previous || start > compressed ||
        start - previous > kMaxCompressedFrame)
      return kDamaged;
    previous = start;
  }

  for (const Entry& e : entries) {
    if (e.section == 1 && (e.offset > uncompressed || e.length > uncompressed - e.offset))
      return kDamaged;
  }
  // A few kilobytes of LZX can stand for megabytes: what the section unpacks to is bounded
  // before anything is unpacked.
  if (uncompressed > kMaxUnpackedSize) return OpenResult::kUnpacksTooLarge;
  section.present = true;
  section.content = *content;
  section.control = *control;
  section.resetTable = *resetTable;
  section.unpackedSize = uncompressed;
  section.resetBytes = resetInterval * kFrame;
  return OpenResult::kOpened;
}

// Reads the directory as a reader walks it, checking each step (see CheckContainer), into
// `directory`.
OpenResult ReadDirectory(std::string_view b, Directory& directory) {
  constexpr OpenResult kDamaged = OpenResult::kMalformed;
  if (b.size() < 0x58 || b.substr(0, 4) != "ITSF") return kDamaged;
  const std::uint32_t version = U32(b, 4);
  const std::uint32_t headerLength = U32(b, 8);
  if (version < 2 || version > 3 || headerLength < (version == 3 ? 0x60u : 0x58u) ||
      headerLength > b.size())
    return kDamaged;

  Layout l;
  l.bytes = b;
  l.directoryOffset = U64(b, 0x48);
  const std::uint64_t directoryLength = U64(b, 0x50);
  if (l.directoryOffset > b.size() || directoryLength > b.size() - l.directoryOffset ||
      directoryLength < 0x54)
    return kDamaged;
  l.dataOffset = version == 3 ? U64(b, 0x58) : l.directoryOffset + directoryLength;
  if (l.dataOffset > b.size()) return kDamaged;

  const std::string_view itsp = b.substr(l.directoryOffset, 0x54);
  if (itsp.substr(0, 4) != "ITSP" || U32(itsp, 4) != 1 || U32(itsp, 8) != 0x54) return kDamaged;
  l.chunkSize = U32(itsp, 0x10);
  l.chunkCount = U32(itsp, 0x2C);
  if (l.chunkSize < 0x20 || l.chunkSize > kMaxChunkSize || l.chunkCount == 0 ||
      l.chunkCount > (directoryLength - 0x54) / l.chunkSize)
    return kDamaged;

  const std::int32_t root = S32(itsp, 0x1C);
  const std::int32_t head = S32(itsp, 0x20);
  if (head < 0 || static_cast<std::uint64_t>(head) >= l.chunkCount) return kDamaged;
  if (root < -1 || (root >= 0 && static_cast<std::uint64_t>(root) >= l.chunkCount)) return kDamaged;

  // The listing chain, as enumeration follows it: listing chunks only, each once.
  std::vector<bool> listed(l.chunkCount, false);
  std::vector<Entry> entries;
  for (std::int64_t n = head; n != -1;) {
    if (n < 0 || static_cast<std::uint64_t>(n) >= l.chunkCount ||
        listed[static_cast<std::size_t>(n)])
      return kDamaged;
    listed[static_cast<std::size_t>(n)] = true;
    const std::string_view chunk = l.Chunk(static_cast<std::uint64_t>(n));
    if (!CheckListing(l, chunk, entries)) return kDamaged;
    n = S32(chunk, 0x10);
  }
  if (root >= 0 && !CheckIndex(l, static_cast<std::uint64_t>(root), listed, entries))
    return kDamaged;
  const OpenResult compressed = CheckCompressedSection(l, entries, directory.section);
  if (compressed != OpenResult::kOpened) return compressed;
  directory.dataOffset = l.dataOffset;
  directory.entries = std::move(entries);
  return OpenResult::kOpened;
}

}  // namespace

bool CheckContainer(std::string_view bytes) {
  Directory directory;
  return ReadDirectory(bytes, directory) == OpenResult::kOpened;
}

namespace {

// libmspack reads and writes through a table of functions: here they serve the help file's
// bytes, already in memory and checked, and collect what it unpacks. It never sees a path.
struct MemorySystem {
  mspack_system sys;  // first, so that libmspack's pointer to it is one to this
  std::string_view bytes;
  std::string* out = nullptr;
  std::size_t outAt = 0;  // where the next unpacked byte goes
};

struct MemoryFile {
  std::string_view in;             // the help file, when opened for reading
  std::size_t at = 0;              // the read position
  MemorySystem* writer = nullptr;  // when opened for writing
};

mspack_file* MemoryOpen(mspack_system* self, const char*, int mode) {
  auto* system = reinterpret_cast<MemorySystem*>(self);
  auto* file = new (std::nothrow) MemoryFile;
  if (file == nullptr) return nullptr;
  if (mode == MSPACK_SYS_OPEN_READ)
    file->in = system->bytes;
  else
    file->writer = system;
  return reinterpret_cast<mspack_file*>(file);
}

void MemoryClose(mspack_file* file) {
  delete reinterpret_cast<MemoryFile*>(file);
}

int MemoryRead(mspack_file* handle, void* buffer, int bytes) {
  auto* file = reinterpret_cast<MemoryFile*>(handle);
  if (bytes < 0 || file->writer != nullptr) return -1;
  const std::size_t n = std::min(static_cast<std::size_t>(bytes), file->in.size() - file->at);
  std::memcpy(buffer, file->in.data() + file->at, n);
  file->at += n;
  return static_cast<int>(n);
}

// Writes go into the section's buffer, never past its end: the section's size was bounded
// when the directory was read.
int MemoryWrite(mspack_file* handle, void* buffer, int bytes) {
  MemorySystem* writer = reinterpret_cast<MemoryFile*>(handle)->writer;
  if (bytes < 0 || writer == nullptr) return -1;
  if (static_cast<std::size_t>(bytes) > writer->out->size() - writer->outAt) return -1;
  std::memcpy(writer->out->data() + writer->outAt, buffer, static_cast<std::size_t>(bytes));
  writer->outAt += static_cast<std::size_t>(bytes);
  return bytes;
}

int MemorySeek(mspack_file* handle, off_t offset, int mode) {
  auto* file = reinterpret_cast<MemoryFile*>(handle);
  if (file->writer != nullptr) return -1;  // the unpacked section is written in order
  const auto size = static_cast<off_t>(file->in.size());
  off_t base = 0;
  if (mode == MSPACK_SYS_SEEK_CUR) base = static_cast<off_t>(file->at);
  if (mode == MSPACK_SYS_SEEK_END) base = size;
  if (offset < -base || offset > size - base) return -1;
  file->at = static_cast<std::size_t>(base + offset);
  return 0;
}

off_t MemoryTell(mspack_file* handle) {
  return static_cast<off_t>(reinterpret_cast<MemoryFile*>(handle)->at);
}

void MemoryMessage(mspack_file*, const char*, ...) {}

// Zeroed, so that no byte of a window a damaged stream never wrote can reach a page.
void* MemoryAlloc(mspack_system*, std::size_t bytes) {
  return std::calloc(1, bytes);
}
void MemoryFree(void* p) {
  std::free(p);
}
void MemoryCopy(void* from, void* to, std::size_t bytes) {
  std::memmove(to, from, bytes);
}

std::string FoldAscii(std::string_view name) {
  std::string folded(name);
  for (char& c : folded)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return folded;
}

// What a reader lists: names of the file's own pages, not internal ("::", "/#", "/$") files
// nor folders.
bool Listed(std::string_view name) {
  return name.size() > 1 && name[0] == '/' && name[1] != '#' && name[1] != '$' &&
         name.back() != '/';
}

}  // namespace

struct ChmArchive::Contents {
  std::string bytes;
  Directory directory;
  std::unordered_map<std::string, std::size_t> byName;  // folded name -> first entry of that name

  // The compressed section, unpacked whole at its first use. `readable` marks which of its
  // 32 KiB frames came out of the decompressor without an error; the others are never shown.
  std::once_flag unpackOnce;
  std::string unpacked;
  std::vector<bool> readable;

  void Unpack();
  bool Readable(std::uint64_t offset, std::uint64_t length) const;
};

// Unpacks the section in one pass from its start. Where the stream is damaged, the
// decompressor stops; the frames from there to the next point where the stream resets are lost,
// and unpacking resumes there. Each frame is unpacked at most once.
void ChmArchive::Contents::Unpack() {
  const CompressedSection& section = directory.section;
  unpacked.assign(static_cast<std::size_t>(section.unpackedSize), '\0');
  readable.assign(static_cast<std::size_t>((section.unpackedSize + kFrame - 1) / kFrame), false);
  MemorySystem memory{
      {&MemoryOpen, &MemoryClose, &MemoryRead, &MemoryWrite, &MemorySeek, &MemoryTell,
       &MemoryMessage, &MemoryAlloc, &MemoryFree, &MemoryCopy, nullptr},
      bytes,
      &unpacked,
      0};
  mschm_decompressor* decompressor = mspack_create_chm_decompressor(&memory.sys);
  if (decompressor == nullptr) return;
  mschmd_header* header = decompressor->fast_open(decompressor, "help");
  // Where the stored files start, and the files that describe the stream, are the ones the
  // directory check found and checked: libmspack does no look-ups of its own.
  auto stored = [&](const Entry& e) {
    mschmd_file f{};
    f.section = &header->sec0.base;
    f.offset = static_cast<off_t>(e.offset);
    f.length = static_cast<off_t>(e.length);
    return f;
  };
  mschmd_file content{}, control{}, resetTable{};
  if (header != nullptr) {
    header->sec0.offset = static_cast<off_t>(directory.dataOffset);
    content = stored(section.content);
    control = stored(section.control);
    resetTable = stored(section.resetTable);
    header->sec1.content = &content;
    header->sec1.control = &control;
    header->sec1.rtable = &resetTable;
  }
  std::uint64_t start = 0;
  while (header != nullptr && start < section.unpackedSize) {
    // The rest of the section as one file, from a point where the stream resets.
    mschmd_file rest{};
    rest.section = &header->sec1.base;
    rest.offset = static_cast<off_t>(start);
    rest.length = static_cast<off_t>(section.unpackedSize - start);
    memory.outAt = static_cast<std::size_t>(start);
    const int error = decompressor->extract(decompressor, &rest, "section");
    // The decompressor writes a frame once it has decoded all of it: what was written is
    // whole frames, the section's last one excepted.
    const std::uint64_t reached = memory.outAt;
    for (std::uint64_t f = start / kFrame;
         (f + 1) * kFrame <= reached || (f * kFrame < reached && reached == section.unpackedSize);
         ++f)
      readable[static_cast<std::size_t>(f)] = true;
    if (error == MSPACK_ERR_OK && reached == section.unpackedSize) break;
    start = (reached / section.resetBytes + 1) * section.resetBytes;
  }
  if (header != nullptr) decompressor->close(decompressor, header);
  mspack_destroy_chm_decompressor(decompressor);
}

bool ChmArchive::Contents::Readable(std::uint64_t offset, std::uint64_t length) const {
  if (length == 0) return true;
  for (std::uint64_t f = offset / kFrame; f * kFrame < offset + length; ++f)
    if (!readable[static_cast<std::size_t>(f)]) return false;
  return true;
}

ChmArchive::ChmArchive(std::unique_ptr<Contents> contents) : contents_(std::move(contents)) {}
ChmArchive::~ChmArchive() = default;

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
  // One more byte means the file grew while it was read: what was read is not the file.
  char more = 0;
  const bool grew = done == bytes.size() && ::pread(fd, &more, 1, static_cast<off_t>(done)) > 0;
  ::close(fd);
  if (done != bytes.size() || grew) {
    result = OpenResult::kUnreadable;
    return nullptr;
  }
  return OpenBytes(std::move(bytes), result);
}

std::unique_ptr<ChmArchive> ChmArchive::OpenBytes(std::string bytes, OpenResult& result) {
  if (bytes.size() > kMaxHelpFileSize) {
    result = OpenResult::kTooLarge;
    return nullptr;
  }
  auto contents = std::make_unique<Contents>();
  contents->bytes = std::move(bytes);
  // Everything below reads these bytes, and these only: the file is never read again.
  result = ReadDirectory(contents->bytes, contents->directory);
  if (result != OpenResult::kOpened) return nullptr;
  const std::vector<Entry>& entries = contents->directory.entries;
  contents->byName.reserve(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i)
    contents->byName.try_emplace(FoldAscii(entries[i].name), i);
  return std::unique_ptr<ChmArchive>(new ChmArchive(std::move(contents)));
}

std::optional<std::string> ChmArchive::Read(const std::string& path) const {
  if (path.empty() || path.size() > kMaxPathBytes) return std::nullopt;
  Contents& c = *contents_;
  const auto found = c.byName.find(FoldAscii(path));
  if (found == c.byName.end()) return std::nullopt;
  const Entry& e = c.directory.entries[found->second];
  if (e.section == 0) {
    return std::string(c.bytes, static_cast<std::size_t>(c.directory.dataOffset + e.offset),
                       static_cast<std::size_t>(e.length));
  }
  std::call_once(c.unpackOnce, [&c] { c.Unpack(); });
  if (!c.Readable(e.offset, e.length)) return std::nullopt;
  return c.unpacked.substr(static_cast<std::size_t>(e.offset), static_cast<std::size_t>(e.length));
}

std::vector<std::string> ChmArchive::Files() const {
  std::vector<std::string> files;
  for (const Entry& e : contents_->directory.entries)
    if (Listed(e.name)) files.emplace_back(e.name);
  return files;
}

}  // namespace dorvane::helpviewer
