#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <string>

#include "ChmArchive.h"
#include "ChmWriter.h"
#include "CompressedChm.h"
#include "TempDir.h"

namespace fs = std::filesystem;

namespace {

using namespace dorvane::helpviewer;
using dorvane::chmpack::BuildChm;
using dorvane::testing::TempDir;

constexpr std::size_t kItsp = 0x78;
constexpr std::size_t kFirstChunk = kItsp + 0x54;

void Put32(std::string& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i)
    b[at + static_cast<std::size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

std::string SmallChm() {
  return BuildChm({{"/index.html", "<p>Bonjour</p>"}, {"/images/a.png", std::string(100, 'x')}},
                  0x040C);
}

std::string ManyChunksChm() {
  std::vector<dorvane::chmpack::ChmEntry> files;
  for (int i = 0; i < 400; ++i)
    files.push_back({"/a_long_enough_page_name_" + std::to_string(i) + ".html", "x"});
  return BuildChm(files, 0x040C);
}

TEST(CheckContainer, AcceptsWhatThePackerWrites) {
  EXPECT_TRUE(CheckContainer(SmallChm()));
  EXPECT_TRUE(CheckContainer(ManyChunksChm()));
}

// Each damage is one a reader walking the directory would trip on.
TEST(CheckContainer, RefusesDamagedDirectories) {
  const std::string small = SmallChm();
  const std::string many = ManyChunksChm();
  const std::uint32_t root =
      static_cast<std::uint32_t>(static_cast<unsigned char>(many[kItsp + 0x1C]));
  const std::size_t rootChunk = kFirstChunk + root * 0x1000;
  const struct {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"empty", ""},
      {"header only", small.substr(0, 0x60)},
      {"cut in the directory", small.substr(0, kFirstChunk + 100)},
      {"wrong signature",
       [&] {
         auto b = small;
         b[0] = 'X';
         return b;
       }()},
      {"unknown version",
       [&] {
         auto b = small;
         Put32(b, 4, 9);
         return b;
       }()},
      {"directory beyond the end",
       [&] {
         auto b = small;
         Put32(b, 0x48, 0x7FFFFFF0);
         return b;
       }()},
      {"chunk size zero",
       [&] {
         auto b = small;
         Put32(b, kItsp + 0x10, 0);
         return b;
       }()},
      {"more chunks than the directory holds",
       [&] {
         auto b = small;
         Put32(b, kItsp + 0x2C, 1000);
         return b;
       }()},
      {"first listing chunk out of range",
       [&] {
         auto b = small;
         Put32(b, kItsp + 0x20, 5);
         return b;
       }()},
      {"listing chunk naming itself next",
       [&] {
         auto b = small;
         Put32(b, kFirstChunk + 0x10, 0);
         return b;
       }()},
      {"free space larger than the chunk",
       [&] {
         auto b = small;
         Put32(b, kFirstChunk + 4, 0x2000);
         return b;
       }()},
      {"file stored past the end",
       [&] {
         auto b = small;
         b.resize(b.size() - 50);
         return b;
       }()},
      {"index pointing to itself",
       [&] {
         auto b = many;
         // The root's first entry: name length, name, then the child's number; make it the root.
         const std::size_t nameLength = static_cast<unsigned char>(b[rootChunk + 8]);
         b[rootChunk + 8 + 1 + nameLength] = static_cast<char>(root);
         return b;
       }()},
      {"index root out of range",
       [&] {
         auto b = many;
         Put32(b, kItsp + 0x1C, 4000);
         return b;
       }()},
  };
  for (const auto& c : cases) EXPECT_FALSE(CheckContainer(c.bytes)) << c.what;
}

// The compressed section as compilers write it; the files are read back through the LZX frames.
TEST(ChmArchive, ReadsFilesOfTheCompressedSection) {
  TempDir dir;
  std::string big;
  for (int i = 0; big.size() < 80000; ++i) big += "ligne " + std::to_string(i) + "\n";
  const std::string bytes = dorvane::testing::BuildCompressedChm(
      {{"/index.html", "<p>Compressé</p>"}, {"/long.txt", big}, {"/vide.txt", ""}},
      {{"/stocke.html", "<p>Stocké</p>"}});
  ASSERT_TRUE(CheckContainer(bytes));
  OpenResult result = OpenResult::kMalformed;
  const auto archive = ChmArchive::Open(dir.Write("lzx.chm", bytes), result);
  ASSERT_NE(archive, nullptr);
  EXPECT_EQ(archive->Read("/index.html"), "<p>Compressé</p>");
  EXPECT_TRUE(archive->Read("/long.txt") == big) << "three frames";
  EXPECT_EQ(archive->Read("/vide.txt"), "");
  EXPECT_EQ(archive->Read("/stocke.html"), "<p>Stocké</p>");
}

// Each damage is one that made the reader divide by zero, follow a null pointer or write past
// a buffer while decompressing, and a few more of the same kind.
TEST(CheckContainer, RefusesDamagedCompressedSections) {
  using dorvane::testing::CompressedParts;
  using dorvane::testing::SetLE;
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
    EXPECT_FALSE(
        CheckContainer(dorvane::testing::BuildCompressedChm({{"/a.html", page}}, {}, c.damage)))
        << c.what;
  }
  EXPECT_TRUE(CheckContainer(dorvane::testing::BuildCompressedChm({{"/a.html", page}})));

  // Files of the compressed section without the files that describe it, or described twice.
  EXPECT_FALSE(CheckContainer(BuildChm({{"/index.html", "x"}}, 0x040C, {{"/a.html", 0, 10}})));
  std::string twice = dorvane::testing::BuildCompressedChm(
      {{"/a.html", page}}, {{"::DataSpace/Storage/MSCompressed/ControlDatb", "LZXC"}});
  twice[twice.find("ControlDatb") + 10] = 'A';
  EXPECT_FALSE(CheckContainer(twice));
}

TEST(ChmArchive, OpensReadsAndListsAPackedFile) {
  TempDir dir;
  const auto path = dir.Write("aide.chm", SmallChm());
  OpenResult result = OpenResult::kMalformed;
  const auto archive = ChmArchive::Open(path, result);
  ASSERT_NE(archive, nullptr);
  EXPECT_EQ(result, OpenResult::kOpened);
  EXPECT_EQ(archive->Read("/index.html"), "<p>Bonjour</p>");
  EXPECT_EQ(archive->Read("/IMAGES/A.PNG"), std::string(100, 'x'));
  EXPECT_EQ(archive->Read("/absent.html"), std::nullopt);
  EXPECT_EQ(archive->Read(""), std::nullopt);
  std::vector<std::string> files = archive->Files();
  std::sort(files.begin(), files.end());
  EXPECT_EQ(files, (std::vector<std::string>{"/images/a.png", "/index.html"}));
}

TEST(ChmArchive, SaysWhyAFileCannotBeOpened) {
  TempDir dir;
  const auto big = fs::path(dir.Path()) / "big.chm";
  {
    const int fd = ::open(big.c_str(), O_CREAT | O_WRONLY, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, static_cast<off_t>(kMaxHelpFileSize + 1)), 0);
    ::close(fd);
  }
  const auto fifo = fs::path(dir.Path()) / "fifo.chm";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const struct {
    std::string path;
    OpenResult expected;
  } cases[] = {
      {(fs::path(dir.Path()) / "absent.chm").string(), OpenResult::kMissing},
      {(fs::path(dir.Path()) / "absent" / "x.chm").string(), OpenResult::kMissing},
      {fs::path(dir.Path()).string(), OpenResult::kNotAFile},
      {fifo.string(), OpenResult::kNotAFile},
      {big.string(), OpenResult::kTooLarge},
      {dir.Write("texte.chm", "pas une aide"), OpenResult::kMalformed},
  };
  for (const auto& c : cases) {
    OpenResult result = OpenResult::kOpened;
    EXPECT_EQ(ChmArchive::Open(c.path, result), nullptr) << c.path;
    EXPECT_EQ(result, c.expected) << c.path;
  }
}

}  // namespace
