#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>

#include "ChmArchive.h"
#include "ChmWriter.h"
#include "CompressedChm.h"
#include "HelpContents.h"
#include "HostileChm.h"
#include "TempDir.h"

namespace fs = std::filesystem;

namespace {

using namespace dorvane::helpviewer;
using dorvane::chmpack::BuildChm;
using dorvane::testing::BuildCompressedChm;
using dorvane::testing::CompressedParts;
using dorvane::testing::SetLE;
using dorvane::testing::TempDir;

constexpr std::size_t kItsp = 0x78;
constexpr std::size_t kFirstChunk = kItsp + 0x54;

// `b` with the 32-bit little-endian `v` written at `at`.
std::string With(std::string b, std::size_t at, std::uint32_t v) {
  SetLE(b, at, v, 4);
  return b;
}

// Each damage is one a reader walking the directory would trip on.
TEST(CheckContainer, RefusesDamagedDirectories) {
  const std::string small = BuildChm(
      {{"/index.html", "<p>Bonjour</p>"}, {"/images/a.png", std::string(100, 'x')}}, 0x040C);
  std::vector<dorvane::chmpack::ChmEntry> files;  // enough for an index above the listing
  for (int i = 0; i < 400; ++i)
    files.push_back({"/a_long_enough_page_name_" + std::to_string(i) + ".html", "x"});
  const std::string many = BuildChm(files, 0x040C);
  ASSERT_TRUE(CheckContainer(small));
  ASSERT_TRUE(CheckContainer(many));
  const std::uint32_t root =
      static_cast<std::uint32_t>(static_cast<unsigned char>(many[kItsp + 0x1C]));
  // The root's first entry: name length, name, then the child's number; make it the root.
  const std::size_t rootEntry = kFirstChunk + root * 0x1000 + 8;
  std::string selfIndex = many;
  selfIndex[rootEntry + 1 + static_cast<unsigned char>(many[rootEntry])] = static_cast<char>(root);
  const struct {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"empty", ""},
      {"header only", small.substr(0, 0x60)},
      {"cut in the directory", small.substr(0, kFirstChunk + 100)},
      {"wrong signature", With(small, 0, 0)},
      {"unknown version", With(small, 4, 9)},
      {"directory beyond the end", With(small, 0x48, 0x7FFFFFF0)},
      {"chunk size zero", With(small, kItsp + 0x10, 0)},
      {"more chunks than the directory holds", With(small, kItsp + 0x2C, 1000)},
      {"first listing chunk out of range", With(small, kItsp + 0x20, 5)},
      {"listing chunk naming itself next", With(small, kFirstChunk + 0x10, 0)},
      {"free space larger than the chunk", With(small, kFirstChunk + 4, 0x2000)},
      {"file stored past the end", small.substr(0, small.size() - 50)},
      {"index pointing to itself", selfIndex},
      {"index root out of range", With(many, kItsp + 0x1C, 4000)},
  };
  for (const auto& c : cases) EXPECT_FALSE(CheckContainer(c.bytes)) << c.what;
}

// Each damage is one that made the reader divide by zero, follow a null pointer or write past
// a buffer while decompressing, and a few more of the same kind.
TEST(CheckContainer, RefusesDamagedCompressedSections) {
  using Damage = void (*)(CompressedParts&);
  const struct {
    const char* what;
    Damage damage;
  } cases[] = {
      {"reset table frame length 0", [](CompressedParts& p) { SetLE(p.resetTable, 0x20, 0, 8); }},
      {"reset table frame length 2^32 + 16",
       [](CompressedParts& p) { SetLE(p.resetTable, 0x20, (std::uint64_t{1} << 32) + 16, 8); }},
      {"0 windows per reset", [](CompressedParts& p) { SetLE(p.controlData, 0x14, 0, 4); }},
      {"window size 0", [](CompressedParts& p) { SetLE(p.controlData, 0x10, 0, 4); }},
      {"window size 2^22", [](CompressedParts& p) { SetLE(p.controlData, 0x10, 1u << 22, 4); }},
      {"control data version 1", [](CompressedParts& p) { SetLE(p.controlData, 8, 1, 4); }},
      {"control data 8 bytes long", [](CompressedParts& p) { p.controlData.resize(8); }},
      {"window of 3 frames", [](CompressedParts& p) { SetLE(p.controlData, 0x10, 3, 4); }},
      {"reset interval 0", [](CompressedParts& p) { SetLE(p.controlData, 0x0C, 0, 4); }},
      {"no LZXC signature", [](CompressedParts& p) { p.controlData[4] = 'X'; }},
      {"more frames than the table holds",
       [](CompressedParts& p) { SetLE(p.resetTable, 4, 1000, 4); }},
      {"fewer frames than the stream needs",
       [](CompressedParts& p) { SetLE(p.resetTable, 4, 1, 4); }},
      {"table offset past its end",
       [](CompressedParts& p) { SetLE(p.resetTable, 0x0C, 0xFFFFFFF0, 4); }},
      {"first frame not at the start", [](CompressedParts& p) { SetLE(p.resetTable, 0x28, 2, 8); }},
      {"frames going backwards", [](CompressedParts& p) { SetLE(p.resetTable, 0x38, 0x10, 8); }},
      {"compressed length past the content",
       [](CompressedParts& p) { SetLE(p.resetTable, 0x18, p.content.size() + 1, 8); }},
      {"frame far larger than a frame can compress to",
       [](CompressedParts& p) {
         p.content.append(0x10000, 'z');
         SetLE(p.resetTable, 0x18, p.content.size(), 8);
       }},
      {"uncompressed length short of its files",
       [](CompressedParts& p) { SetLE(p.resetTable, 0x10, 0x8000, 8); }},
  };
  const std::string page(0x11000, 'p');  // three frames
  for (const auto& c : cases) {
    EXPECT_FALSE(CheckContainer(BuildCompressedChm({{"/a.html", page}}, {}, c.damage))) << c.what;
  }
  EXPECT_TRUE(CheckContainer(BuildCompressedChm({{"/a.html", page}})));

  // Files of the compressed section without the files that describe it, or described twice.
  EXPECT_FALSE(CheckContainer(BuildChm({{"/index.html", "x"}}, 0x040C, {{"/a.html", 0, 10}})));
  std::string twice = BuildCompressedChm(
      {{"/a.html", page}}, {{"::DataSpace/Storage/MSCompressed/ControlDatb", "LZXC"}});
  twice[twice.find("ControlDatb") + 10] = 'A';
  EXPECT_FALSE(CheckContainer(twice));
}

// Files of both sections: stored ones, and compressed ones read back through the LZX frames.
TEST(ChmArchive, OpensReadsAndListsAPackedFile) {
  TempDir dir;
  std::string big;
  for (int i = 0; big.size() < 80000; ++i) big += "ligne " + std::to_string(i) + "\n";
  const std::string bytes = BuildCompressedChm(
      {{"/index.html", "<p>Compressé</p>"}, {"/long.txt", big}, {"/vide.txt", ""}},
      {{"/images/a.png", std::string(100, 'x')}});
  OpenResult result = OpenResult::kMalformed;
  const auto archive = ChmArchive::Open(dir.Write("aide.chm", bytes), result);
  ASSERT_NE(archive, nullptr);
  EXPECT_EQ(result, OpenResult::kOpened);
  EXPECT_EQ(archive->Read("/index.html"), "<p>Compressé</p>");
  EXPECT_TRUE(archive->Read("/long.txt") == big) << "three frames";
  EXPECT_EQ(archive->Read("/vide.txt"), "");
  EXPECT_EQ(archive->Read("/IMAGES/A.PNG"), std::string(100, 'x'));
  EXPECT_EQ(archive->Read("/absent.html"), std::nullopt);
  EXPECT_EQ(archive->Read(""), std::nullopt);
  std::vector<std::string> files = archive->Files();
  std::sort(files.begin(), files.end());
  EXPECT_EQ(files,
            (std::vector<std::string>{"/images/a.png", "/index.html", "/long.txt", "/vide.txt"}));
}

// Every crafted file either opens or is refused; a file that opens gives the same answer each
// time it is read (a failed read does not leave a half-unpacked page behind for the next one),
// and a page whose frames are damaged is never shown with other bytes in its place.
TEST(ChmArchive, HostileFilesOpenToTheirPagesOrAreRefused) {
  for (const auto& hostile : dorvane::testing::HostileChms("/nonexistent")) {
    SCOPED_TRACE(hostile.name);
    OpenResult result = OpenResult::kMalformed;
    const auto archive = ChmArchive::OpenBytes(hostile.bytes, result);
    if (hostile.name == "bomb-32MiB") {
      EXPECT_EQ(result, OpenResult::kUnpacksTooLarge);
      continue;
    }
    ASSERT_NE(archive, nullptr);
    const std::optional<std::string> page = archive->Read("/index.html");
    EXPECT_EQ(archive->Read("/INDEX.HTML"), page);
    if (hostile.name.rfind("block-type-", 0) == 0 || hostile.name == "verbatim-block-of-garbage") {
      EXPECT_EQ(page, std::nullopt);
    } else if (page && hostile.name.find("-block") != std::string::npos) {
      EXPECT_EQ(page->size(), 14u + 0x9000) << "the whole page or nothing";
    }
    if (hostile.name == "listing-24000") {
      // Every look-up fails: each is one probe of the index, not a walk of the listing.
      for (int i = 0; i < 24000; ++i)
        ASSERT_EQ(archive->Read("/m/" + std::to_string(i) + ".htm"), std::nullopt);
      EXPECT_EQ(archive->Files().size(), 24001u);
    }
  }
}

// A writer flips the window size of the control data between a sound value and 0 (which once
// made the decompressor divide by zero) while the file is opened and read again and again:
// what is read is what was checked, so each open either reads the page or is refused.
TEST(ChmArchive, AFileChangingWhileOpenedIsReadAsChecked) {
  TempDir dir;
  const std::string page(0x9000, 'p');
  const std::string bytes = BuildCompressedChm({{"/index.html", page}});
  const std::string path = dir.Write("aide.chm", bytes);
  const auto at = static_cast<off_t>(bytes.find("LZXC") + 0x0C);
  OpenResult before = OpenResult::kMalformed;
  ASSERT_NE(ChmArchive::Open(path, before), nullptr);
  std::atomic<bool> stop = false;
  std::thread writer([&] {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    for (char v = 0; !stop; v = static_cast<char>(v ^ 2))
      if (::pwrite(fd, &v, 1, at) != 1) break;
    ::close(fd);
  });
  for (int i = 0; i < 300; ++i) {
    OpenResult result = OpenResult::kOpened;
    const auto archive = ChmArchive::Open(path, result);
    if (!archive) {
      EXPECT_EQ(result, OpenResult::kMalformed);
      continue;
    }
    EXPECT_EQ(archive->Read("/index.html"), page);
  }
  stop = true;
  writer.join();
}

// A missing file, a folder and a file of text are the help viewer's test, with its messages.
TEST(ChmArchive, SaysWhyAFileCannotBeOpened) {
  TempDir dir;
  const fs::path big = dir.Write("big.chm", "");
  fs::resize_file(big, kMaxHelpFileSize + 1);  // sparse
  const auto fifo = fs::path(dir.Path()) / "fifo.chm";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const struct {
    std::string path;
    OpenResult expected;
  } cases[] = {
      {(fs::path(dir.Path()) / "absent" / "x.chm").string(), OpenResult::kMissing},
      {fifo.string(), OpenResult::kNotAFile},
      {big.string(), OpenResult::kTooLarge},
  };
  for (const auto& c : cases) {
    OpenResult result = OpenResult::kOpened;
    EXPECT_EQ(ChmArchive::Open(c.path, result), nullptr) << c.path;
    EXPECT_EQ(result, c.expected) << c.path;
  }
}

// The program's help file names its window, and defines it for the system's viewers: the same
// title, contents, index and default page as its system file says, in three panes, opening on
// the Contents tab. Texts are found through their offsets in #STRINGS, as viewers find them.
TEST(ChmArchive, ProgramHelpFileDefinesTheWindowItNames) {
  OpenResult result = OpenResult::kMalformed;
  const auto archive = ChmArchive::Open(DORVANE_HELP_FILE, result);
  ASSERT_NE(archive, nullptr);
  const SystemInfo system = ParseSystemFile(archive->Read("/#SYSTEM").value_or(""));
  EXPECT_EQ(system.contentsFile, "Dorvane.hhc");
  EXPECT_EQ(system.indexFile, "Dorvane.hhk");
  EXPECT_EQ(system.defaultTopic, "index.html");
  const std::string windows = archive->Read("/#WINDOWS").value_or("");
  const std::string strings = archive->Read("/#STRINGS").value_or("");
  ASSERT_EQ(windows.size(), 8u + 0x188);
  // The file: the number of windows and the size of an entry, then the entries.
  auto word = [&](std::size_t at) {
    std::uint32_t v = 0;
    for (std::size_t i = 4; i-- > 0;) v = v << 8 | static_cast<unsigned char>(windows[at + i]);
    return v;
  };
  EXPECT_EQ(word(0), 1u);
  EXPECT_EQ(word(4), 0x188u);
  auto field = [&](std::size_t at) { return word(8 + at); };
  auto text = [&](std::size_t at) {
    const std::uint32_t offset = field(at);
    return offset < strings.size() ? std::string(strings.c_str() + offset) : "<outside>";
  };
  EXPECT_EQ(field(0), 0x188u);
  EXPECT_EQ(text(0x08), "main");
  EXPECT_NE(archive->Read("/#SYSTEM")->find(std::string("\x05\x00\x05\x00main\x00", 9)),
            std::string::npos)
      << "the system file names the window as the default one";
  EXPECT_EQ(text(0x14), system.title);
  EXPECT_EQ(text(0x60), system.contentsFile);
  EXPECT_EQ(text(0x64), system.indexFile);
  EXPECT_EQ(text(0x68), system.defaultTopic);
  EXPECT_EQ(text(0x6C), system.defaultTopic) << "home page";
  EXPECT_EQ(field(0x10) & 0x20, 0x20u) << "three panes";
  EXPECT_EQ(field(0x0C) & 0x2002, 0x2002u) << "properties and current tab are set";
  EXPECT_EQ(field(0x78), 0u) << "Contents tab";
}

}  // namespace
