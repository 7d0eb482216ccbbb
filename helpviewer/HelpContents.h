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
// beyond these is not handed to the layout at all.
struct PageLimits {
  std::size_t maxBytes = 1u << 20;  // the text of the page
  std::size_t maxDepth = 100;       // elements open at once
  std::size_t maxTableDepth = 6;    // tables inside tables: each level doubles the layout time
};

enum class PageCost { kFits, kTooLarge, kTooDeep, kTablesTooDeep };

// Measures a page as an HTML reader nests it: elements closed by their end tag or, for those
// HTML lets go unclosed (p, li, tr, td...), by the next one of their kind in the same
// container; void elements, comments and the bodies of scripts and styles do not nest.
PageCost MeasurePage(std::string_view html, const PageLimits& limits = {});

// Decodes character references (&amp; &lt; &#233; &#xE9; and the common Latin-1 names).
std::string DecodeEntities(std::string_view text);

// The path of a topic inside the file ("/dir/page.html"), from a link as help files write
// them: relative, absolute, or "ms-its:file.chm::/page.html" and its "mk:@MSITStore:" form.
// The fragment is dropped; "." and ".." segments are resolved. Empty when there is no path.
std::string TopicPath(std::string_view link);

}  // namespace dorvane::helpviewer
