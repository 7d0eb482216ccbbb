// chmpack: packs a folder of HTML help sources into a compiled help file (.chm).
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "ChmWriter.h"
#include "text/Ascii.h"

namespace fs = std::filesystem;
using dorvane::AsciiLower;
using dorvane::StartsWithNoCase;
using dorvane::chmpack::ChmEntry;
using dorvane::chmpack::ChmSystemInfo;

namespace {

constexpr const char* kUsage =
    "usage: chmpack [--title TEXT] [--default-topic PAGE] [--contents FILE.hhc]\n"
    "               [--index FILE.hhk] [--language LCID] SOURCE_DIR OUTPUT.chm\n"
    "Without --contents or --index, the only .hhc or .hhk file of SOURCE_DIR is used.\n"
    "Without --default-topic, index.html or index.htm; without --title, that page's title.\n";

std::string ReadWhole(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + p.string());
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// A Windows language identifier, decimal or hexadecimal after "0x" (1036 or 0x040C).
std::uint32_t LanguageId(const std::string& text) {
  const bool hex = StartsWithNoCase(text, "0x");
  const auto id =
      dorvane::ReadDigits<std::uint32_t>(std::string_view(text).substr(hex ? 2 : 0), hex ? 16 : 10);
  if (!id) throw std::invalid_argument("--language expects a number, not " + text);
  return *id;
}

// The text of the page's <title> element, blanks trimmed; empty when there is none.
std::string PageTitle(const std::string& html) {
  const std::string lower = AsciiLower(html);
  const auto open = lower.find("<title");
  if (open == std::string::npos) return {};
  const auto start = lower.find('>', open);
  const auto end = lower.find("</title", start);
  if (start == std::string::npos || end == std::string::npos) return {};
  std::string t = html.substr(start + 1, end - start - 1);
  const auto first = t.find_first_not_of(" \t\r\n");
  const auto last = t.find_last_not_of(" \t\r\n");
  return first == std::string::npos ? std::string{} : t.substr(first, last - first + 1);
}

// The only file with this extension at the top of the folder, or empty.
std::string OnlyFileWith(const std::vector<ChmEntry>& entries, const std::string& ext) {
  std::string found;
  for (const ChmEntry& e : entries) {
    if (e.path.find('/', 1) != std::string::npos) continue;
    if (AsciiLower(fs::path(e.path).extension().string()) != ext) continue;
    if (!found.empty()) return {};
    found = e.path.substr(1);
  }
  return found;
}

bool Has(const std::vector<ChmEntry>& entries, const std::string& relative) {
  for (const ChmEntry& e : entries)
    if (e.path == "/" + relative) return true;
  return false;
}

const ChmEntry* Find(const std::vector<ChmEntry>& entries, const std::string& relative) {
  for (const ChmEntry& e : entries)
    if (e.path == "/" + relative) return &e;
  return nullptr;
}

int Run(int argc, char** argv) {
  ChmSystemInfo info;
  bool titleGiven = false;
  std::vector<std::string> positional;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= argc) throw std::invalid_argument(arg + " needs a value");
      return argv[++i];
    };
    if (arg == "--title") {
      info.title = value();
      titleGiven = true;
    } else if (arg == "--default-topic") {
      info.defaultTopic = value();
    } else if (arg == "--contents") {
      info.contentsFile = value();
    } else if (arg == "--index") {
      info.indexFile = value();
    } else if (arg == "--language") {
      info.language = LanguageId(value());
    } else if (arg == "--help" || arg == "-h") {
      std::cout << kUsage;
      return 0;
    } else if (arg.starts_with("--")) {
      throw std::invalid_argument("unknown option " + arg);
    } else {
      positional.push_back(arg);
    }
  }
  if (positional.size() != 2) throw std::invalid_argument("expected SOURCE_DIR and OUTPUT.chm");
  const fs::path source = positional[0];
  const fs::path output = positional[1];
  if (!fs::is_directory(source)) throw std::invalid_argument(source.string() + " is not a folder");

  std::vector<ChmEntry> entries;
  for (const fs::directory_entry& d : fs::recursive_directory_iterator(source)) {
    if (!d.is_regular_file()) continue;
    const std::string relative = fs::relative(d.path(), source).generic_string();
    if (relative.starts_with('#') || relative.starts_with('$'))
      throw std::invalid_argument(relative + ": names starting with # or $ are reserved");
    entries.push_back({"/" + relative, ReadWhole(d.path())});
  }

  if (info.contentsFile.empty()) info.contentsFile = OnlyFileWith(entries, ".hhc");
  if (info.indexFile.empty()) info.indexFile = OnlyFileWith(entries, ".hhk");
  if (info.defaultTopic.empty())
    info.defaultTopic = Has(entries, "index.html") ? "index.html" : "index.htm";
  for (const std::string* named : {&info.contentsFile, &info.indexFile, &info.defaultTopic}) {
    if (!named->empty() && !Has(entries, *named))
      throw std::invalid_argument(*named + " is not in " + source.string());
  }
  if (!titleGiven) info.title = PageTitle(Find(entries, info.defaultTopic)->data);
  // The sources are UTF-8; viewers read the title, contents and index in the language's code
  // page. The pages themselves declare their own charset.
  info.title = dorvane::chmpack::TextForLanguage(info.title, info.language);
  for (ChmEntry& e : entries) {
    if (e.path == "/" + info.contentsFile || e.path == "/" + info.indexFile) {
      e.data = dorvane::chmpack::SitemapForLanguage(e.data, info.language);
    }
  }

  entries.push_back({"/#SYSTEM", dorvane::chmpack::BuildSystemFile(info)});
  dorvane::chmpack::ChmWindowFiles window = dorvane::chmpack::BuildWindowFiles(info);
  entries.push_back({"/#WINDOWS", std::move(window.windows)});
  entries.push_back({"/#STRINGS", std::move(window.strings)});
  const std::string bytes = dorvane::chmpack::BuildChm(std::move(entries), info.language);

  // Written beside the target and renamed, so that a failed run never leaves half a file.
  const fs::path partial = output.string() + ".part";
  {
    std::ofstream out(partial, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      std::error_code ignored;
      fs::remove(partial, ignored);
      throw std::runtime_error("cannot write " + partial.string());
    }
  }
  fs::rename(partial, output);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(argc, argv);
  } catch (const std::exception& e) {
    std::cerr << "chmpack: " << e.what() << '\n' << kUsage;
    return 1;
  }
}
