#include "HelpContents.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <utility>

#include "text/Ascii.h"
#include "text/Utf8.h"

namespace dorvane::helpviewer {
namespace {

std::uint32_t Read16(std::string_view b, std::size_t at) {
  return static_cast<std::uint8_t>(b[at]) |
         (static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[at + 1])) << 8);
}

// A record's text ends at its first NUL, whatever length the record claims.
std::string RecordText(std::string_view data) {
  return std::string(data.substr(0, data.find('\0')));
}

struct NamedEntity {
  const char* name;
  std::uint32_t codePoint;
};

constexpr NamedEntity kEntities[] = {
    {"amp", '&'},     {"lt", '<'},      {"gt", '>'},       {"quot", '"'},     {"apos", '\''},
    {"nbsp", 0xA0},   {"laquo", 0xAB},  {"raquo", 0xBB},   {"deg", 0xB0},     {"copy", 0xA9},
    {"agrave", 0xE0}, {"acirc", 0xE2},  {"auml", 0xE4},    {"ccedil", 0xE7},  {"egrave", 0xE8},
    {"eacute", 0xE9}, {"ecirc", 0xEA},  {"euml", 0xEB},    {"icirc", 0xEE},   {"iuml", 0xEF},
    {"ocirc", 0xF4},  {"ouml", 0xF6},   {"ugrave", 0xF9},  {"ucirc", 0xFB},   {"uuml", 0xFC},
    {"Agrave", 0xC0}, {"Acirc", 0xC2},  {"Ccedil", 0xC7},  {"Egrave", 0xC8},  {"Eacute", 0xC9},
    {"Ecirc", 0xCA},  {"Icirc", 0xCE},  {"Ocirc", 0xD4},   {"Ucirc", 0xDB},   {"oelig", 0x153},
    {"OElig", 0x152}, {"euro", 0x20AC}, {"rsquo", 0x2019}, {"lsquo", 0x2018}, {"hellip", 0x2026},
};

// One tag of the sitemap: its lower-case name, whether it closes, and its attributes.
struct Tag {
  std::string name;
  bool closing = false;
  std::vector<std::pair<std::string, std::string>> attributes;

  std::string Attribute(std::string_view key) const {
    for (const auto& [k, v] : attributes)
      if (k == key) return v;
    return {};
  }
};

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

// Parses the tag that starts at html[pos] == '<'; pos ends after its '>'.
Tag ReadTag(std::string_view html, std::size_t& pos) {
  Tag tag;
  std::size_t i = pos + 1;
  if (i < html.size() && html[i] == '/') {
    tag.closing = true;
    ++i;
  }
  while (i < html.size() && !IsSpace(html[i]) && html[i] != '>' && html[i] != '/')
    tag.name.push_back(AsciiLower(html[i++]));
  while (i < html.size() && html[i] != '>') {
    if (IsSpace(html[i]) || html[i] == '/') {
      ++i;
      continue;
    }
    std::string key;
    while (i < html.size() && !IsSpace(html[i]) && html[i] != '=' && html[i] != '>')
      key.push_back(AsciiLower(html[i++]));
    while (i < html.size() && IsSpace(html[i])) ++i;
    std::string value;
    if (i < html.size() && html[i] == '=') {
      ++i;
      while (i < html.size() && IsSpace(html[i])) ++i;
      if (i < html.size() && (html[i] == '"' || html[i] == '\'')) {
        const char quote = html[i++];
        const std::size_t end = html.find(quote, i);
        const std::size_t stop = end == std::string_view::npos ? html.size() : end;
        value = DecodeEntities(html.substr(i, stop - i));
        i = stop == html.size() ? stop : stop + 1;
      } else {
        const std::size_t start = i;
        while (i < html.size() && !IsSpace(html[i]) && html[i] != '>') ++i;
        value = DecodeEntities(html.substr(start, i - start));
      }
    }
    if (!key.empty()) tag.attributes.emplace_back(std::move(key), std::move(value));
  }
  pos = i < html.size() ? i + 1 : html.size();
  return tag;
}

}  // namespace

SystemInfo ParseSystemFile(std::string_view bytes) {
  SystemInfo info;
  std::size_t at = 4;  // after the version
  while (at + 4 <= bytes.size()) {
    const std::uint32_t code = Read16(bytes, at);
    const std::uint32_t length = Read16(bytes, at + 2);
    at += 4;
    if (length > bytes.size() - at) break;
    const std::string_view data = bytes.substr(at, length);
    at += length;
    switch (code) {
      case 0:
        info.contentsFile = RecordText(data);
        break;
      case 1:
        info.indexFile = RecordText(data);
        break;
      case 2:
        info.defaultTopic = RecordText(data);
        break;
      case 3:
        info.title = RecordText(data);
        break;
      default:
        break;
    }
  }
  return info;
}

std::string DecodeEntities(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '&') {
      out.push_back(text[i]);
      continue;
    }
    const std::size_t semi = text.find(';', i + 1);
    if (semi == std::string_view::npos || semi - i > 12) {
      out.push_back('&');
      continue;
    }
    const std::string_view body = text.substr(i + 1, semi - i - 1);
    bool decoded = false;
    if (body.size() >= 2 && body[0] == '#') {
      const bool hex = body[1] == 'x' || body[1] == 'X';
      // At most eleven characters: the value fits in 64 bits; beyond Unicode it is U+FFFD.
      const auto value = ReadDigits<std::uint64_t>(body.substr(hex ? 2 : 1), hex ? 16 : 10);
      if (value) {
        // A reference to NUL stands for the replacement character, as in HTML.
        AppendUtf8(out, *value == 0 || *value > 0x10FFFF ? kReplacementCharacter
                                                         : static_cast<char32_t>(*value));
        decoded = true;
      }
    } else {
      for (const NamedEntity& e : kEntities) {
        if (body == e.name) {
          AppendUtf8(out, e.codePoint);
          decoded = true;
          break;
        }
      }
    }
    if (decoded)
      i = semi;
    else
      out.push_back('&');
  }
  return out;
}

std::vector<TocEntry> ParseSitemap(std::string_view html) {
  std::vector<TocEntry> root;
  // The lists being filled, outermost first; only the last one ever grows, so the pointers to
  // the ones above it stay valid.
  std::vector<std::vector<TocEntry>*> lists{&root};
  std::vector<bool> openLists;  // per open <UL>: whether it began a deeper level
  bool inObject = false;
  TocEntry current;

  std::size_t pos = 0;
  while ((pos = html.find('<', pos)) != std::string_view::npos) {
    if (html.substr(pos, 4) == "<!--") {
      const std::size_t end = html.find("-->", pos + 4);
      pos = end == std::string_view::npos ? html.size() : end + 3;
      continue;
    }
    const Tag tag = ReadTag(html, pos);
    if (tag.name == "ul" && !tag.closing) {
      // A list inside a list holds the children of the entry just before it.
      const bool deeper =
          !openLists.empty() && lists.size() < kMaxTocDepth && !lists.back()->empty();
      if (deeper) lists.push_back(&lists.back()->back().children);
      openLists.push_back(deeper);
    } else if (tag.name == "ul" && tag.closing) {
      if (openLists.empty()) continue;
      if (openLists.back()) lists.pop_back();
      openLists.pop_back();
    } else if (tag.name == "object" && !tag.closing) {
      inObject = EqualsNoCase(tag.Attribute("type"), "text/sitemap");
      current = TocEntry{};
    } else if (tag.name == "object" && tag.closing) {
      if (inObject && (!current.name.empty() || !current.local.empty()))
        lists.back()->push_back(std::move(current));
      inObject = false;
      current = TocEntry{};
    } else if (tag.name == "param" && inObject) {
      const std::string key = tag.Attribute("name");
      if (EqualsNoCase(key, "Name") && current.name.empty())
        current.name = tag.Attribute("value");
      else if (EqualsNoCase(key, "Local") && current.local.empty())
        current.local = tag.Attribute("value");
    }
  }
  return root;
}

std::string TopicPath(std::string_view link) {
  // "ms-its:help.chm::/page.html" and "mk:@MSITStore:help.chm::/page.html" name a file inside
  // a help file; only the part after "::" is ours to show.
  if (StartsWithNoCase(link, "ms-its:") || StartsWithNoCase(link, "mk:@msitstore:")) {
    const std::size_t sep = link.find("::");
    if (sep == std::string_view::npos) return {};
    link = link.substr(sep + 2);
  }
  link = link.substr(0, std::min(link.find('#'), link.find('?')));
  std::vector<std::string> segments;
  std::size_t start = 0;
  while (start <= link.size()) {
    const std::size_t slash = std::min(link.find_first_of("/\\", start), link.size());
    const std::string_view seg = link.substr(start, slash - start);
    if (seg == "..") {
      if (!segments.empty()) segments.pop_back();
    } else if (!seg.empty() && seg != ".") {
      segments.emplace_back(seg);
    }
    start = slash + 1;
  }
  std::string path;
  for (const std::string& s : segments) path += "/" + s;
  return path;
}

}  // namespace dorvane::helpviewer
