// What a compiled help file says about itself: its system file and its table of contents.
// Standard library only; every input is untrusted.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace dorvane::helpviewer {

struct SystemInfo {
  std::string contentsFile;  // as stored, usually without a leading slash
  std::string indexFile;
  std::string defaultTopic;
  std::string title;
};

// Reads the records of a system file; unknown or truncated records are skipped, so a damaged
// file gives what could be read.
SystemInfo ParseSystemFile(std::string_view bytes);

struct TocEntry {
  std::string name;
  std::string local;  // the topic, relative to the file's root; may be empty for a heading
  std::vector<TocEntry> children;
};

// Nesting deeper than this is flattened into the deepest level, so a hostile file cannot
// make the tree (and its destruction) recurse without bound.
inline constexpr std::size_t kMaxTocDepth = 32;

// Reads a sitemap (.hhc): nested lists of <OBJECT type="text/sitemap"> with "Name" and "Local"
// parameters. Tolerant of the loose HTML that help compilers accept; entities in values are
// decoded to UTF-8.
std::vector<TocEntry> ParseSitemap(std::string_view html);

// What a page may cost the viewer, which lays it out on the program's GUI thread: a page
// beyond any of these is not handed to the layout at all. Each bound keeps the slowest page
// within it to a fraction of a second; help pages stay far below them (the program's own have
// at most 221 tags, 2 levels of lists, no tables inside tables). See PageMeasure.h.
struct PageLimits {
  std::size_t maxBytes = 256u << 10;  // the text of the page, in UTF-8
  std::size_t maxTags = 4000;         // '<' in the text, script and style bodies included
  std::size_t maxDepth = 100;         // frames inside frames, levels of lists
  std::size_t maxTableDepth = 6;      // tables inside tables: each level doubles the layout time
  std::size_t maxCells = 2000;        // table cells, one inside n tables counting 2^(n-1)
  std::size_t maxListItems = 1000;    // the layout numbers list items in quadratic time
  std::size_t maxWord = 500;          // characters without a place to break the line
};

enum class PageCost {
  kFits,
  kTooLarge,
  kTooManyElements,
  kTooDeep,
  kTablesTooDeep,
  kTooManyCells,
  kTooManyListItems,
  kWordTooLong
};

// Decodes character references (&amp; &lt; &#233; &#xE9; and the common Latin-1 names).
std::string DecodeEntities(std::string_view text);

// The path of a topic inside the file ("/dir/page.html"), from a link as help files write
// them: relative, absolute, or "ms-its:file.chm::/page.html" and its "mk:@MSITStore:" form.
// The fragment is dropped; "." and ".." segments are resolved. Empty when there is no path.
std::string TopicPath(std::string_view link);

}  // namespace dorvane::helpviewer
