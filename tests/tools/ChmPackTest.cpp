#include <chm_lib.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "ChmWriter.h"
#include "TempDir.h"

namespace fs = std::filesystem;
using dorvane::chmpack::BuildChm;
using dorvane::chmpack::ChmEntry;

namespace {

using dorvane::testing::TempDir;

std::string RandomBytes(std::size_t n, unsigned seed) {
  std::mt19937 gen(seed);
  std::string s(n, '\0');
  for (char& c : s) c = static_cast<char>(gen() & 0xFF);
  return s;
}

// Every file that chmlib lists, with its bytes read back through chm_retrieve_object.
std::map<std::string, std::string> ReadAllWithChmlib(const fs::path& chm) {
  std::map<std::string, std::string> files;
  chmFile* h = chm_open(chm.c_str());
  if (h == nullptr) return files;
  chm_enumerate(
      h, CHM_ENUMERATE_ALL,
      [](chmFile* file, chmUnitInfo* ui, void* context) -> int {
        std::string bytes(ui->length, '\0');
        if (ui->length > 0 &&
            chm_retrieve_object(file, ui, reinterpret_cast<unsigned char*>(bytes.data()), 0,
                                static_cast<LONGINT64>(ui->length)) !=
                static_cast<LONGINT64>(ui->length))
          bytes = "<short read>";
        (*static_cast<std::map<std::string, std::string>*>(context))[ui->path] = bytes;
        return CHM_ENUMERATOR_CONTINUE;
      },
      &files);
  chm_close(h);
  return files;
}

std::string Resolve(const fs::path& chm, const std::string& path) {
  chmFile* h = chm_open(chm.c_str());
  if (h == nullptr) return "<not opened>";
  chmUnitInfo ui{};
  std::string bytes = "<not found>";
  if (chm_resolve_object(h, path.c_str(), &ui) == CHM_RESOLVE_SUCCESS) {
    bytes.assign(ui.length, '\0');
    chm_retrieve_object(h, &ui, reinterpret_cast<unsigned char*>(bytes.data()), 0,
                        static_cast<LONGINT64>(ui.length));
  }
  chm_close(h);
  return bytes;
}

struct FileSet {
  const char* name;
  std::vector<ChmEntry> files;
};

std::vector<FileSet> FileSets() {
  std::vector<FileSet> sets;
  sets.push_back({"one page", {{"/index.html", "<html><body>Bonjour</body></html>"}}});
  sets.push_back({"folders, empty and binary files",
                  {{"/index.html", "x"},
                   {"/images/a.png", RandomBytes(3000, 1)},
                   {"/images/deep/b.gif", std::string("\0\0\1\0", 4)},
                   {"/vide.txt", ""},
                   {"/Mixed_Case.CSS", "body{}"},
                   {"/accentué.html", "é"}}});
  FileSet many{"enough names for several listing chunks and an index level", {}};
  for (int i = 0; i < 700; ++i)
    many.files.push_back({"/pages/a_rather_long_page_name_number_" + std::to_string(i) + ".html",
                          RandomBytes(static_cast<std::size_t>(i % 37), static_cast<unsigned>(i))});
  sets.push_back(std::move(many));
  sets.push_back({"one large file", {{"/big.bin", RandomBytes(3 << 20, 7)}}});
  return sets;
}

TEST(ChmPack, ChmlibListsAndReadsBackEveryFileByteForByte) {
  for (const FileSet& set : FileSets()) {
    SCOPED_TRACE(set.name);
    TempDir dir;
    const fs::path chm = dir.Write("out.chm", BuildChm(set.files, 0x040C));
    const std::map<std::string, std::string> listed = ReadAllWithChmlib(chm);
    for (const ChmEntry& e : set.files) {
      const auto found = listed.find(e.path);
      ASSERT_NE(found, listed.end()) << e.path;
      EXPECT_EQ(found->second, e.data) << e.path;
      EXPECT_EQ(Resolve(chm, e.path), e.data) << e.path;
      std::string upper = e.path;  // lookups ignore ASCII case, as readers expect
      for (char& c : upper) c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
      EXPECT_EQ(Resolve(chm, upper), e.data) << upper;
    }
    EXPECT_TRUE(listed.count("/")) << "root folder";
    EXPECT_EQ(Resolve(chm, "/no-such-file.html"), "<not found>");
  }
}

TEST(ChmPack, RefusesPathsThatReadersCouldNotTellApart) {
  const std::vector<std::vector<ChmEntry>> refused = {
      {{"/a.html", "1"}, {"/A.html", "2"}},
      {{"relative.html", "1"}},
      {{"/", "1"}},
      {{"/" + std::string(300, 'x'), "1"}},
  };
  for (const auto& files : refused) EXPECT_THROW(BuildChm(files, 0x040C), std::invalid_argument);
}

TEST(ChmPack, ToolFailsWithoutLeavingAFileWhenTheDefaultTopicIsMissing) {
  TempDir dir;
  dir.Write("src/page.html", "x");
  const std::string chm = dir / "out.chm";
  const std::string command =
      std::string(DORVANE_CHMPACK) + " '" + (dir / "src") + "' '" + chm + "' 2>/dev/null";
  EXPECT_NE(std::system(command.c_str()), 0);
  EXPECT_FALSE(fs::exists(chm));
  EXPECT_FALSE(fs::exists(chm + ".part"));
}

// The program's own help file, as built: every page of resources/help is in it.
TEST(ChmPack, ProgramHelpFileHoldsEveryPage) {
  const std::map<std::string, std::string> listed = ReadAllWithChmlib(DORVANE_HELP_FILE);
  for (const auto& file : fs::recursive_directory_iterator(DORVANE_HELP_SOURCES)) {
    const std::string path = "/" + fs::relative(file, DORVANE_HELP_SOURCES).generic_string();
    EXPECT_TRUE(file.is_directory() || listed.count(path)) << path;
  }
  EXPECT_TRUE(listed.count("/#SYSTEM"));
  // Contents and index in the code page of the file's French language (octal \351 is "é"), as
  // Windows viewers read them; every page declares its charset.
  for (const auto& [sitemap, word] : {std::pair{"/Dorvane.hhc", "La fen\352tre principale"},
                                      std::pair{"/Dorvane.hhk", "Ann\351e pr\351c\351dente"}}) {
    const std::string& text = listed.at(sitemap);
    EXPECT_NE(text.find("charset=\"windows-1252\""), std::string::npos) << sitemap;
    EXPECT_NE(text.find(word), std::string::npos) << sitemap;
    EXPECT_EQ(text.find("\xC3"), std::string::npos) << sitemap;
  }
  for (const auto& [path, bytes] : listed) {
    if (!path.ends_with(".html")) continue;
    EXPECT_NE(bytes.find("<meta charset="), std::string::npos) << path;
  }
}

TEST(ChmPack, TextTakesTheCodePageOfTheLanguage) {
  struct Case {
    const char* utf8;
    std::uint32_t language;
    std::string expected;
  } cases[] = {
      {"La fenêtre", 0x040C, "La fen\xEAtre"},
      {"20 € – « oui »", 0x040C, "20 \x80 \x96 \xAB oui \xBB"},
      {"Łódź", 0x0409, "&#321;\363d&#378;"},
      {"été", 0x0411, "&#233;t&#233;"},  // Japanese: ASCII and references
      {"plain", 0x0419, "plain"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(dorvane::chmpack::TextForLanguage(c.utf8, c.language), c.expected) << c.utf8;
  }
  EXPECT_THROW(dorvane::chmpack::TextForLanguage("caf\xE9", 0x040C), std::invalid_argument);
  EXPECT_EQ(dorvane::chmpack::SitemapForLanguage("<meta charset=\"UTF-8\"><p>é", 0x040C),
            "<meta charset=\"windows-1252\"><p>\xE9");
}

}  // namespace
