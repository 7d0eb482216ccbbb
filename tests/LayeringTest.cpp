// The layers of the program: which folders a folder's sources may include, and that the
// standard-library core never includes a Qt header. Read from the sources themselves, so a
// stray include fails here before it spreads.
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

const fs::path kSrc = DORVANE_SOURCE_DIR "/src";

// Folder -> folders its sources may include ("app" may include everything).
const std::map<std::string, std::set<std::string>> kAllowed = {
    {"platform", {"platform"}},
    {"dates", {"platform", "dates"}},
    {"gfx", {"platform", "dates", "gfx"}},
    {"calendar", {"platform", "dates", "gfx", "calendar"}},
    {"controls", {"platform", "dates", "gfx", "controls"}},
    {"help", {"platform", "dates", "help"}},
    {"forms", {"platform", "dates", "gfx", "calendar", "controls", "help", "forms"}},
    {"cli", {"platform", "dates", "calendar", "help", "cli"}},
};

std::set<std::string> SourcesOf(const std::string& listFile) {
  std::ifstream in(listFile);
  std::string all((std::istreambuf_iterator<char>(in)), {});
  std::set<std::string> files;
  std::stringstream s(all);
  std::string item;
  while (std::getline(s, item, ';')) {
    if (item.empty()) continue;
    fs::path p(item);
    if (p.is_relative()) p = kSrc / p;
    files.insert(fs::weakly_canonical(p).string());
  }
  return files;
}

std::vector<std::string> Includes(const fs::path& file, bool quoted) {
  static const std::regex quotedInclude(R"re(^\s*#\s*include\s*"([^"]+)")re");
  static const std::regex angledInclude(R"(^\s*#\s*include\s*<([^>]+)>)");
  std::ifstream in(file);
  std::vector<std::string> out;
  std::string line;
  std::smatch m;
  while (std::getline(in, line)) {
    if (std::regex_search(line, m, quoted ? quotedInclude : angledInclude)) out.push_back(m[1]);
  }
  return out;
}

bool IsQtHeader(const std::string& name) {
  return (name.size() > 1 && name[0] == 'Q' && std::isupper(static_cast<unsigned char>(name[1]))) ||
         name.rfind("Qt", 0) == 0 || name.rfind("qt", 0) == 0;
}

TEST(Layering, FoldersIncludeOnlyTheLayersBelowThem) {
  int checked = 0;
  for (const auto& entry : fs::recursive_directory_iterator(kSrc)) {
    if (!entry.is_regular_file()) continue;
    const std::string ext = entry.path().extension().string();
    if (ext != ".h" && ext != ".cpp") continue;
    const std::string folder = fs::relative(entry.path(), kSrc).begin()->string();
    const auto allowed = kAllowed.find(folder);
    if (allowed == kAllowed.end()) continue;  // qt and app: the top of the stack
    for (const std::string& inc : Includes(entry.path(), true)) {
      const auto slash = inc.find('/');
      if (slash == std::string::npos) continue;  // generated or same-folder headers
      EXPECT_TRUE(allowed->second.count(inc.substr(0, slash)))
          << entry.path() << " includes " << inc;
    }
    ++checked;
  }
  EXPECT_GT(checked, 50);
}

// Every source of the core libraries, and every header of ours they reach, is free of Qt.
TEST(Layering, TheCoreNeverIncludesQt) {
  std::set<std::string> pending = SourcesOf(DORVANE_CORE_SOURCES);
  for (const char* list : {DORVANE_PLATFORM_SOURCES, DORVANE_CLI_SOURCES}) {
    const std::set<std::string> more = SourcesOf(list);
    pending.insert(more.begin(), more.end());
  }
  ASSERT_GT(pending.size(), 20u);
  std::set<std::string> seen;
  while (!pending.empty()) {
    const fs::path file = *pending.begin();
    pending.erase(pending.begin());
    if (!seen.insert(file.string()).second) continue;
    for (const std::string& inc : Includes(file, false)) {
      EXPECT_FALSE(IsQtHeader(inc)) << file << " includes <" << inc << ">";
    }
    for (const std::string& inc : Includes(file, true)) {
      EXPECT_FALSE(IsQtHeader(fs::path(inc).filename().string())) << file << " includes " << inc;
      for (const fs::path& candidate : {kSrc / inc, file.parent_path() / inc}) {
        if (fs::exists(candidate)) pending.insert(fs::weakly_canonical(candidate).string());
      }
    }
  }
  EXPECT_GT(seen.size(), 40u);
}

}  // namespace
