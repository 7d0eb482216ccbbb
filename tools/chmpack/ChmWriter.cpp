#include "ChmWriter.h"

#include <algorithm>
#include <array>
#include <set>
#include <stdexcept>

#include "text/Ascii.h"

namespace dorvane::chmpack {
namespace {

constexpr std::uint32_t kChunkSize = 0x1000;
constexpr std::uint32_t kQuickRefDensity = 2;  // one quick reference every 1 + 2^2 entries
constexpr std::size_t kListingHeader = 0x14;
constexpr std::size_t kIndexHeader = 0x08;
constexpr std::size_t kMaxPathBytes = 256;
constexpr std::size_t kItsfHeaderSize = 0x60;
constexpr std::size_t kHeaderSection0Size = 0x18;
constexpr std::size_t kItspHeaderSize = 0x54;

using Guid = std::array<std::uint8_t, 16>;

// GUIDs in their on-disk (little-endian first three fields) form.
constexpr Guid kItsfGuid1 = {0x10, 0xFD, 0x01, 0x7C, 0xAA, 0x7B, 0xD0, 0x11,
                             0x9E, 0x0C, 0x00, 0xA0, 0xC9, 0x22, 0xE6, 0xEC};
constexpr Guid kItsfGuid2 = {0x11, 0xFD, 0x01, 0x7C, 0xAA, 0x7B, 0xD0, 0x11,
                             0x9E, 0x0C, 0x00, 0xA0, 0xC9, 0x22, 0xE6, 0xEC};
constexpr Guid kItspGuid = {0x6A, 0x92, 0x02, 0x5D, 0x2E, 0x21, 0xD0, 0x11,
                            0x9D, 0xF9, 0x00, 0xA0, 0xC9, 0x22, 0xE6, 0xEC};

// Windows-1252 at 0x80 to 0x9F (0 where it has no character); elsewhere it is Latin-1.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// Primary languages whose Windows code page is Windows-1252.
bool UsesWindows1252(std::uint32_t language) {
  static constexpr std::uint16_t kWestern[] = {
      0x03 /* ca */, 0x06 /* da */, 0x07 /* de */, 0x09 /* en */, 0x0A /* es */,
      0x0B /* fi */, 0x0C /* fr */, 0x0F /* is */, 0x10 /* it */, 0x13 /* nl */,
      0x14 /* no */, 0x16 /* pt */, 0x1D /* sv */, 0x21 /* id */, 0x2D /* eu */,
      0x36 /* af */, 0x38 /* fo */, 0x3E /* ms */, 0x41 /* sw */, 0x56 /* gl */};
  const auto primary = static_cast<std::uint16_t>(language & 0x3FF);
  return std::find(std::begin(kWestern), std::end(kWestern), primary) != std::end(kWestern);
}

// The next code point of `text` at `i`, advancing `i`; throws on ill-formed UTF-8.
char32_t NextCodePoint(std::string_view text, std::size_t& i) {
  const auto lead = static_cast<unsigned char>(text[i++]);
  if (lead < 0x80) return lead;
  const int extra = lead >= 0xF0 && lead < 0xF5 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC2 ? 1 : -1;
  if (extra < 0 || lead >= 0xF5 || i + static_cast<std::size_t>(extra) > text.size()) {
    throw std::invalid_argument("text is not UTF-8");
  }
  char32_t c = lead & (0x3F >> extra);
  for (int k = 0; k < extra; ++k) {
    const auto next = static_cast<unsigned char>(text[i++]);
    if ((next & 0xC0) != 0x80) throw std::invalid_argument("text is not UTF-8");
    c = (c << 6) | (next & 0x3F);
  }
  constexpr char32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
  if (c < kLeast[extra] || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) {
    throw std::invalid_argument("text is not UTF-8");
  }
  return c;
}

// The Windows-1252 byte of `c`, or 0 when that code page has none.
unsigned char Windows1252Byte(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<unsigned char>(c);
  for (unsigned i = 0; i < 32; ++i) {
    if (kCp1252High[i] != 0 && kCp1252High[i] == c) return static_cast<unsigned char>(0x80 + i);
  }
  return 0;
}

void Put16(std::string& out, std::uint16_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>(v >> 8));
}

void Put32(std::string& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

void Put64(std::string& out, std::uint64_t v) {
  for (int i = 0; i < 8; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

void PutGuid(std::string& out, const Guid& g) {
  out.append(g.begin(), g.end());
}

void Set16At(std::string& out, std::size_t at, std::uint16_t v) {
  out[at] = static_cast<char>(v & 0xFF);
  out[at + 1] = static_cast<char>(v >> 8);
}

// A directory record: where the file's bytes lie in the content section.
struct Record {
  std::string path;
  std::uint64_t offset = 0;
  std::uint64_t length = 0;
  std::uint64_t section = 0;
};

std::string EncodeRecord(const Record& r) {
  std::string out;
  AppendEncInt(out, r.path.size());
  out += r.path;
  AppendEncInt(out, r.section);  // 0: stored uncompressed
  AppendEncInt(out, r.offset);
  AppendEncInt(out, r.length);
  return out;
}

std::string EncodeIndexRecord(const std::string& firstPath, std::uint32_t chunk) {
  std::string out;
  AppendEncInt(out, firstPath.size());
  out += firstPath;
  AppendEncInt(out, chunk);
  return out;
}

std::size_t QuickRefCount(std::size_t entries) {
  constexpr std::size_t every = 1 + (std::size_t{1} << kQuickRefDensity);
  return entries == 0 ? 0 : (entries - 1) / every;
}

// A chunk under construction: its encoded entries and where each begins.
struct ChunkBody {
  std::string bytes;
  std::vector<std::size_t> starts;
  std::string firstPath;
};

bool Fits(const ChunkBody& c, std::size_t header, std::size_t more) {
  const std::size_t quick = 2 * QuickRefCount(c.starts.size() + 1) + 2;
  return header + c.bytes.size() + more + quick <= kChunkSize;
}

// Packs already encoded entries into chunk bodies, in order.
std::vector<ChunkBody> FillChunks(const std::vector<std::pair<std::string, std::string>>& items,
                                  std::size_t header) {
  std::vector<ChunkBody> chunks(1);
  for (const auto& [path, encoded] : items) {
    if (!Fits(chunks.back(), header, encoded.size())) {
      chunks.emplace_back();
      if (!Fits(chunks.back(), header, encoded.size()))
        throw std::invalid_argument("directory entry too large: " + path);
    }
    ChunkBody& c = chunks.back();
    if (c.starts.empty()) c.firstPath = path;
    c.starts.push_back(c.bytes.size());
    c.bytes += encoded;
  }
  return chunks;
}

// Lays out a chunk: header, entries, free space, then the quick reference area that grows
// backwards from the end and closes with the number of entries.
std::string FinishChunk(const ChunkBody& body, std::string header) {
  const std::size_t headerSize = header.size();
  std::string chunk = std::move(header);
  chunk += body.bytes;
  chunk.resize(kChunkSize, '\0');
  const std::size_t freeSpace = kChunkSize - headerSize - body.bytes.size();
  Set16At(chunk, 4, static_cast<std::uint16_t>(freeSpace & 0xFFFF));
  Set16At(chunk, 6, static_cast<std::uint16_t>(freeSpace >> 16));
  Set16At(chunk, kChunkSize - 2, static_cast<std::uint16_t>(body.starts.size()));
  constexpr std::size_t every = 1 + (std::size_t{1} << kQuickRefDensity);
  std::size_t slot = kChunkSize - 4;
  for (std::size_t i = every; i < body.starts.size(); i += every, slot -= 2)
    Set16At(chunk, slot, static_cast<std::uint16_t>(body.starts[i] + headerSize));
  return chunk;
}

std::string ListingHeader(std::int32_t previous, std::int32_t next) {
  std::string h = "PMGL";
  Put32(h, 0);  // free space, filled in by FinishChunk
  Put32(h, 0);
  Put32(h, static_cast<std::uint32_t>(previous));
  Put32(h, static_cast<std::uint32_t>(next));
  return h;
}

std::string IndexHeader() {
  std::string h = "PMGI";
  Put32(h, 0);
  return h;
}

// The section names file: its length in 16-bit words, the number of names, then each name as
// a counted, terminated UTF-16 string.
std::string BuildNameList(bool withCompressed) {
  std::vector<std::string> names = {"Uncompressed"};
  if (withCompressed) names.emplace_back("MSCompressed");
  std::string body;
  Put16(body, static_cast<std::uint16_t>(names.size()));
  for (const std::string& n : names) {
    Put16(body, static_cast<std::uint16_t>(n.size()));
    for (char c : n) Put16(body, static_cast<std::uint8_t>(c));
    Put16(body, 0);
  }
  std::string out;
  Put16(out, static_cast<std::uint16_t>((body.size() + 2) / 2));
  return out + body;
}

void CheckPath(const std::string& path) {
  // "::" begins the names of the container's own files.
  if (path.size() < 2 || (path.front() != '/' && path.rfind("::", 0) != 0))
    throw std::invalid_argument("path must be absolute and not empty: '" + path + "'");
  if (path.size() > kMaxPathBytes) throw std::invalid_argument("path too long: " + path);
  if (path.find('\0') != std::string::npos) throw std::invalid_argument("path holds a NUL byte");
}

}  // namespace

void AppendEncInt(std::string& out, std::uint64_t value) {
  char groups[10];
  int n = 0;
  do {
    groups[n++] = static_cast<char>(value & 0x7F);
    value >>= 7;
  } while (value != 0);
  while (n > 1) out.push_back(static_cast<char>(groups[--n] | 0x80));
  out.push_back(groups[0]);
}

bool PathLess(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(AsciiLower(x)) < static_cast<unsigned char>(AsciiLower(y));
  });
}

std::string TextForLanguage(std::string_view utf8, std::uint32_t language) {
  const bool western = UsesWindows1252(language);
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const char32_t c = NextCodePoint(utf8, i);
    const unsigned char b = c < 0x80  ? static_cast<unsigned char>(c)
                            : western ? Windows1252Byte(c)
                                      : 0;
    if (b != 0 || c == 0) {
      out.push_back(static_cast<char>(b));
    } else {
      out += "&#" + std::to_string(static_cast<std::uint32_t>(c)) + ";";
    }
  }
  return out;
}

std::string SitemapForLanguage(std::string_view utf8, std::uint32_t language) {
  std::string out = TextForLanguage(utf8, language);
  const std::string charset = UsesWindows1252(language) ? "windows-1252" : "us-ascii";
  std::string lower = out;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
  for (const std::string_view declared : {"charset=\"utf-8\"", "charset=utf-8"}) {
    const auto at = lower.find(declared);
    if (at == std::string::npos) continue;
    const bool quoted = declared.find('"') != std::string_view::npos;
    out.replace(at, declared.size(), quoted ? "charset=\"" + charset + "\"" : "charset=" + charset);
    break;
  }
  return out;
}

std::string BuildSystemFile(const ChmSystemInfo& info) {
  std::string out;
  Put32(out, 3);
  auto text = [&out](std::uint16_t code, const std::string& value) {
    Put16(out, code);
    Put16(out, static_cast<std::uint16_t>(value.size() + 1));
    out += value;
    out.push_back('\0');
  };
  if (!info.contentsFile.empty()) text(0, info.contentsFile);
  if (!info.indexFile.empty()) text(1, info.indexFile);
  text(2, info.defaultTopic);
  text(3, info.title);
  text(5, std::string(kDefaultWindow));
  // Code 4: language, no double-byte text, no full-text search, no keyword links, timestamp 0.
  Put16(out, 4);
  Put16(out, 36);
  Put32(out, info.language);
  for (int i = 0; i < 8; ++i) Put32(out, 0);
  text(9, "Dorvane chmpack 1.0");
  return out;
}

namespace {

// A window definition entry as the viewers read it (0x188 bytes, texts as single-byte strings
// referred to by their offsets in #STRINGS); the offsets of the fields that the packer sets.
constexpr std::size_t kWindowEntrySize = 0x188;
constexpr std::size_t kWindowName = 0x08;
constexpr std::size_t kWindowValidMembers = 0x0C;
constexpr std::size_t kWindowProperties = 0x10;
constexpr std::size_t kWindowTitle = 0x14;
constexpr std::size_t kWindowNavigationWidth = 0x4C;
constexpr std::size_t kWindowContents = 0x60;
constexpr std::size_t kWindowIndex = 0x64;
constexpr std::size_t kWindowDefaultTopic = 0x68;
constexpr std::size_t kWindowHome = 0x6C;
constexpr std::size_t kWindowToolBarButtons = 0x70;
constexpr std::size_t kWindowNavigationTab = 0x78;
constexpr std::size_t kWindowTabPosition = 0x7C;

// Which fields the entry sets: properties, navigation width, tool bar buttons, expansion,
// tab position, current tab.
constexpr std::uint32_t kValidMembers = 0x0002 | 0x0020 | 0x0100 | 0x0200 | 0x0400 | 0x2000;
// Three panes (tool bar, navigation, topic), the contents kept in step with the topic.
constexpr std::uint32_t kTriPane = 0x0020;
constexpr std::uint32_t kAutoSync = 0x0100;
// Hide/show, back, forward, home, options, print.
constexpr std::uint32_t kToolBarButtons = 0x0002 | 0x0004 | 0x0008 | 0x0040 | 0x1000 | 0x2000;
constexpr std::uint32_t kContentsTab = 0;
constexpr std::uint32_t kTabsOnTop = 0;
constexpr std::uint32_t kNavigationWidth = 250;

void Set32(std::string& out, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

}  // namespace

ChmWindowFiles BuildWindowFiles(const ChmSystemInfo& info) {
  ChmWindowFiles files;
  files.strings.push_back('\0');  // offset 0: no text
  auto text = [&files](const std::string& value) -> std::uint32_t {
    if (value.empty()) return 0;
    const auto at = static_cast<std::uint32_t>(files.strings.size());
    files.strings += value;
    files.strings.push_back('\0');
    return at;
  };
  std::string entry(kWindowEntrySize, '\0');
  Set32(entry, 0, kWindowEntrySize);
  Set32(entry, kWindowName, text(std::string(kDefaultWindow)));
  Set32(entry, kWindowValidMembers, kValidMembers);
  Set32(entry, kWindowProperties, kTriPane | kAutoSync);
  Set32(entry, kWindowTitle, text(info.title));
  Set32(entry, kWindowNavigationWidth, kNavigationWidth);
  Set32(entry, kWindowContents, text(info.contentsFile));
  Set32(entry, kWindowIndex, text(info.indexFile));
  const std::uint32_t topic = text(info.defaultTopic);
  Set32(entry, kWindowDefaultTopic, topic);
  Set32(entry, kWindowHome, topic);
  Set32(entry, kWindowToolBarButtons, kToolBarButtons);
  Set32(entry, kWindowNavigationTab, kContentsTab);
  Set32(entry, kWindowTabPosition, kTabsOnTop);
  Put32(files.windows, 1);  // one window
  Put32(files.windows, kWindowEntrySize);
  files.windows += entry;
  return files;
}

std::string BuildChm(std::vector<ChmEntry> entries, std::uint32_t language,
                     const std::vector<ChmSection1Entry>& compressed) {
  for (const ChmEntry& e : entries) CheckPath(e.path);
  for (const ChmSection1Entry& e : compressed) CheckPath(e.path);
  entries.push_back({"::DataSpace/NameList", BuildNameList(!compressed.empty())});

  // Folders are listed too, with no bytes, as readers expect to find them.
  std::set<std::string> folders{"/"};
  std::vector<std::string> paths;
  for (const ChmEntry& e : entries) paths.push_back(e.path);
  for (const ChmSection1Entry& e : compressed) paths.push_back(e.path);
  for (const std::string& path : paths) {
    if (path.front() != '/') continue;
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1))
      folders.insert(path.substr(0, slash + 1));
  }

  std::vector<Record> records;
  std::string content;
  std::sort(entries.begin(), entries.end(),
            [](const ChmEntry& a, const ChmEntry& b) { return PathLess(a.path, b.path); });
  for (const ChmEntry& e : entries) {
    records.push_back({e.path, content.size(), e.data.size()});
    content += e.data;
  }
  for (const ChmSection1Entry& e : compressed) records.push_back({e.path, e.offset, e.length, 1});
  for (const std::string& f : folders) {
    if (std::find(paths.begin(), paths.end(), f) != paths.end()) continue;
    records.push_back({f, 0, 0});
  }
  std::sort(records.begin(), records.end(),
            [](const Record& a, const Record& b) { return PathLess(a.path, b.path); });
  for (std::size_t i = 1; i < records.size(); ++i) {
    if (!PathLess(records[i - 1].path, records[i].path))
      throw std::invalid_argument("path given twice (ASCII case does not count): " +
                                  records[i].path);
  }

  std::vector<std::pair<std::string, std::string>> items;
  for (const Record& r : records) items.emplace_back(r.path, EncodeRecord(r));
  const std::vector<ChunkBody> listing = FillChunks(items, kListingHeader);

  std::vector<std::string> chunks;
  const auto listingCount = static_cast<std::int32_t>(listing.size());
  for (std::int32_t i = 0; i < listingCount; ++i) {
    chunks.push_back(FinishChunk(listing[static_cast<std::size_t>(i)],
                                 ListingHeader(i - 1, i + 1 < listingCount ? i + 1 : -1)));
  }

  // Index levels above the listing chunks, until one chunk holds the root.
  std::uint32_t depth = 1;
  std::int32_t root = -1;
  std::vector<std::pair<std::string, std::uint32_t>> level;
  for (std::size_t i = 0; i < listing.size(); ++i)
    level.emplace_back(listing[i].firstPath, static_cast<std::uint32_t>(i));
  while (level.size() > 1) {
    std::vector<std::pair<std::string, std::string>> indexItems;
    for (const auto& [first, chunk] : level)
      indexItems.emplace_back(first, EncodeIndexRecord(first, chunk));
    const std::vector<ChunkBody> bodies = FillChunks(indexItems, kIndexHeader);
    level.clear();
    for (const ChunkBody& b : bodies) {
      level.emplace_back(b.firstPath, static_cast<std::uint32_t>(chunks.size()));
      chunks.push_back(FinishChunk(b, IndexHeader()));
    }
    ++depth;
    root = static_cast<std::int32_t>(level.front().second);
  }

  const std::uint64_t directoryOffset = kItsfHeaderSize + kHeaderSection0Size;
  const std::uint64_t directoryLength = kItspHeaderSize + chunks.size() * kChunkSize;
  const std::uint64_t contentOffset = directoryOffset + directoryLength;
  const std::uint64_t fileSize = contentOffset + content.size();

  std::string out;
  out.reserve(fileSize);
  out += "ITSF";
  Put32(out, 3);
  Put32(out, kItsfHeaderSize);
  Put32(out, 1);
  Put32(out, 0);  // timestamp: none, so that the same sources give the same file
  Put32(out, language);
  PutGuid(out, kItsfGuid1);
  PutGuid(out, kItsfGuid2);
  Put64(out, kItsfHeaderSize);
  Put64(out, kHeaderSection0Size);
  Put64(out, directoryOffset);
  Put64(out, directoryLength);
  Put64(out, contentOffset);

  Put32(out, 0x01FE);
  Put32(out, 0);
  Put64(out, fileSize);
  Put32(out, 0);
  Put32(out, 0);

  out += "ITSP";
  Put32(out, 1);
  Put32(out, kItspHeaderSize);
  Put32(out, 0x0A);
  Put32(out, kChunkSize);
  Put32(out, kQuickRefDensity);
  Put32(out, depth);
  Put32(out, static_cast<std::uint32_t>(root));
  Put32(out, 0);
  Put32(out, static_cast<std::uint32_t>(listingCount - 1));
  Put32(out, 0xFFFFFFFF);
  Put32(out, static_cast<std::uint32_t>(chunks.size()));
  Put32(out, language);
  PutGuid(out, kItspGuid);
  Put32(out, kItspHeaderSize);
  Put32(out, 0xFFFFFFFF);
  Put32(out, 0xFFFFFFFF);
  Put32(out, 0xFFFFFFFF);

  for (const std::string& c : chunks) out += c;
  out += content;
  return out;
}

}  // namespace dorvane::chmpack
