#include <gtest/gtest.h>

#include <string>

#include "HelpContents.h"

namespace {

using namespace dorvane::helpviewer;

TEST(TopicPath, MapsTheLinksHelpFilesWriteToAPathInsideTheFile) {
  const struct {
    const char* link;
    const char* path;
  } cases[] = {
      {"index.html", "/index.html"},
      {"/index.html", "/index.html"},
      {"sub/page.htm#part", "/sub/page.htm"},
      {"sub\\page.htm", "/sub/page.htm"},
      {"./a/../b/./c.html", "/b/c.html"},
      {"../../escape.html", "/escape.html"},
      {"ms-its:aide.chm::/topic.html", "/topic.html"},
      {"MK:@MSITStore:C:\\aide.chm::/dir/topic.html#x", "/dir/topic.html"},
      {"ms-its:aide.chm", ""},
      {"", ""},
      {"#only-a-fragment", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(TopicPath(c.link), c.path) << c.link;
}

TEST(DecodeEntities, DecodesReferencesAndLeavesTheRestAlone) {
  const struct {
    const char* in;
    const char* out;
  } cases[] = {
      {"L&#39;&acirc;ge &amp; la lune", "L'âge & la lune"},
      {"&#xE9;t&eacute;", "été"},
      {"&laquo;&nbsp;A&nbsp;&raquo;", "«\u00A0A\u00A0»"},
      {"a & b", "a & b"},
      {"&unknown;", "&unknown;"},
      {"&#;&#x;", "&#;&#x;"},
      {"&#0;&#xD800;&#99999999;", "\uFFFD\uFFFD\uFFFD"},
      {"no end &amp", "no end &amp"},
  };
  for (const auto& c : cases) EXPECT_EQ(DecodeEntities(c.in), c.out) << c.in;
}

std::string Entry(const std::string& name, const std::string& local) {
  return "<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"" + name +
         "\"><param name=\"Local\" value=\"" + local + "\"></OBJECT>\n";
}

TEST(ParseSitemap, BuildsTheNestedContents) {
  const std::string hhc =
      "<HTML><BODY><OBJECT type=\"text/site properties\"><param name=\"X\" value=\"y\">"
      "</OBJECT><UL>" +
      Entry("Un", "un.html") + Entry("Deux", "deux.html") + "<UL>" +
      Entry("Deux &amp; demi", "deux.html#demi") + "<ul>" + Entry("Fond", "fond.html") +
      "</ul></UL>" + Entry("Trois", "trois.html") +
      "<!-- <li><object type=\"text/sitemap\">"
      "<param name=\"Name\" value=\"caché\"></object> --></UL></BODY></HTML>";
  const std::vector<TocEntry> toc = ParseSitemap(hhc);
  ASSERT_EQ(toc.size(), 3u);
  EXPECT_EQ(toc[0].name, "Un");
  EXPECT_EQ(toc[0].local, "un.html");
  EXPECT_TRUE(toc[0].children.empty());
  ASSERT_EQ(toc[1].children.size(), 1u);
  EXPECT_EQ(toc[1].children[0].name, "Deux & demi");
  ASSERT_EQ(toc[1].children[0].children.size(), 1u);
  EXPECT_EQ(toc[1].children[0].children[0].local, "fond.html");
  EXPECT_EQ(toc[2].name, "Trois");
}

TEST(ParseSitemap, ToleratesLooseAndHostileMarkup) {
  // Unquoted and single-quoted values, a heading without a topic, stray closing tags.
  auto toc = ParseSitemap(
      "</UL></OBJECT><ul><li><object type=text/sitemap><param name=Name value=Titre>"
      "</object><ul><li><object type='text/sitemap'><param name='name' value='P'>"
      "<param name='local' value='p.htm'></object></ul></ul></ul>");
  ASSERT_EQ(toc.size(), 1u);
  EXPECT_EQ(toc[0].local, "");
  ASSERT_EQ(toc[0].children.size(), 1u);
  EXPECT_EQ(toc[0].children[0].local, "p.htm");

  // Objects of another type are not entries; an unfinished tag ends the input quietly.
  EXPECT_TRUE(
      ParseSitemap("<ul><li><object type=\"text/other\"><param name=\"Name\" value=\"x\"></object>"
                   "<li><object type=\"text/sitemap\"><param name=\"Name\" value=\"y")
          .empty());

  // A list nested far deeper than anyone writes is cut at the limit instead of recursing.
  std::string deep;
  for (int i = 0; i < 10000; ++i) deep += "<ul>" + Entry("n", "n.html");
  toc = ParseSitemap(deep);
  std::size_t depth = 0;
  for (const std::vector<TocEntry>* level = &toc; !level->empty(); level = &level->back().children)
    ++depth;
  EXPECT_EQ(depth, kMaxTocDepth);
}

std::string Record(std::uint16_t code, const std::string& text) {
  std::string r;
  r.push_back(static_cast<char>(code & 0xFF));
  r.push_back(static_cast<char>(code >> 8));
  const auto length = static_cast<std::uint16_t>(text.size() + 1);
  r.push_back(static_cast<char>(length & 0xFF));
  r.push_back(static_cast<char>(length >> 8));
  return r + text + '\0';
}

TEST(ParseSystemFile, ReadsTheKnownRecordsAndStopsAtDamage) {
  const std::string header("\x03\0\0\0", 4);
  const std::string good = header + Record(0, "toc.hhc") + Record(9, "outil") +
                           Record(2, "index.html") + Record(3, "Aide de Dorvane") +
                           Record(1, "index.hhk");
  SystemInfo info = ParseSystemFile(good);
  EXPECT_EQ(info.contentsFile, "toc.hhc");
  EXPECT_EQ(info.indexFile, "index.hhk");
  EXPECT_EQ(info.defaultTopic, "index.html");
  EXPECT_EQ(info.title, "Aide de Dorvane");

  // A record that claims more bytes than remain ends the reading; what came before stays.
  std::string cut = header + Record(3, "Titre") + Record(2, "page.html");
  cut.resize(cut.size() - 3);
  info = ParseSystemFile(cut);
  EXPECT_EQ(info.title, "Titre");
  EXPECT_EQ(info.defaultTopic, "");
  EXPECT_EQ(ParseSystemFile("").title, "");
  EXPECT_EQ(ParseSystemFile(std::string("\x03\0\0\0\x03\0", 6)).title, "");
}

}  // namespace
