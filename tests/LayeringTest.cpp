// The layers of the program: which folders a folder's sources may include, that the
// standard-library core never includes a toolkit header, and that the Qt front end holds no
// text or layout number of the windows of its own. Read from the sources themselves, so a
// stray include or a copied caption fails here before it spreads.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "forms/About.h"
#include "forms/Layout.h"
#include "forms/MainForm.h"
#include "forms/_Recherche.h"
#include "text/Ascii.h"

namespace {

namespace fs = std::filesystem;

const fs::path kSrc = DORVANE_SOURCE_DIR "/src";

// Folder -> folders its sources may include ("app", the program's main on Linux, may include
// everything).
const std::map<std::string, std::set<std::string>> kAllowed = {
    {"text", {"text"}},
    {"platform", {"platform", "text"}},
    {"dates", {"platform", "text", "dates"}},
    {"gfx", {"platform", "text", "dates", "gfx"}},
    {"calendar", {"platform", "text", "dates", "gfx", "calendar"}},
    {"controls", {"platform", "text", "dates", "gfx", "controls"}},
    {"help", {"platform", "text", "dates", "help"}},
    {"forms", {"platform", "text", "dates", "gfx", "calendar", "controls", "help", "forms"}},
    {"cli", {"platform", "text", "dates", "gfx", "calendar", "controls", "help", "forms", "cli"}},
};

std::string ReadAll(const fs::path& file) {
  std::ifstream in(file);
  return {std::istreambuf_iterator<char>(in), {}};
}

// The sources (.h and .cpp) under `folder`, with the folder of src they lie in.
std::vector<std::pair<fs::path, std::string>> Sources(const fs::path& folder = kSrc) {
  std::vector<std::pair<fs::path, std::string>> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    const std::string ext = entry.path().extension().string();
    if (entry.is_regular_file() && (ext == ".h" || ext == ".cpp"))
      files.emplace_back(entry.path(), fs::relative(entry.path(), kSrc).begin()->string());
  }
  return files;
}

// The sources a build's list file names (";"-separated, relative to src or absolute).
std::set<std::string> SourcesOf(const std::string& listFile) {
  std::set<std::string> files;
  std::stringstream s(ReadAll(listFile));
  std::string item;
  while (std::getline(s, item, ';')) {
    if (!item.empty()) files.insert(fs::weakly_canonical(kSrc / fs::path(item)).string());
  }
  return files;
}

std::vector<std::string> Includes(const fs::path& file, bool quoted) {
  static const std::regex include(R"re(^\s*#\s*include\s*([<"])([^">]+)[">])re");
  std::stringstream in(ReadAll(file));
  std::vector<std::string> out;
  std::smatch m;
  for (std::string line; std::getline(in, line);) {
    if (std::regex_search(line, m, include) && (m[1] == "\"") == quoted) out.push_back(m[2]);
  }
  return out;
}

bool IsQtHeader(const std::string& name) {
  return (name.size() > 1 && name[0] == 'Q' && name[1] >= 'A' && name[1] <= 'Z') ||
         name.starts_with("Qt") || name.starts_with("qt");
}

// Qt's, or the Windows SDK's (whose file names the SDK spells in any case).
bool IsToolkitHeader(const std::string& name) {
  static const std::set<std::string> windows = {"windows.h", "windowsx.h", "winuser.h",
                                                "wingdi.h",  "commctrl.h", "shellapi.h",
                                                "objbase.h", "wincodec.h", "gdiplus.h"};
  return IsQtHeader(name) || windows.count(dorvane::AsciiLower(name)) > 0;
}

// A folder's sources include only the layers below it. Outside the Qt front end (qt), the name
// tells which files may use Qt: "Qt..." or "...Widget"; every other file is toolkit-free, the
// program's main (app) among them.
TEST(Layering, FoldersIncludeOnlyTheLayersBelowThemAndQtOnlyInQtFiles) {
  int checked = 0;
  for (const auto& [file, folder] : Sources()) {
    if (folder == "qt") continue;
    const std::string stem = file.stem().string();
    const bool named = stem.starts_with("Qt") || (stem.size() > 6 && stem.ends_with("Widget"));
    for (const std::string& inc : Includes(file, false)) {
      EXPECT_TRUE(named || !IsQtHeader(inc)) << file << " includes <" << inc << ">";
    }
    const auto allowed = kAllowed.find(folder);
    if (allowed == kAllowed.end()) continue;  // app and win32: the top of the stack
    for (const std::string& inc : Includes(file, true)) {
      const auto slash = inc.find('/');
      if (slash == std::string::npos) continue;  // generated or same-folder headers
      EXPECT_TRUE(allowed->second.count(inc.substr(0, slash))) << file << " includes " << inc;
    }
    ++checked;
  }
  EXPECT_GT(checked, 50);
}

// Every source of the core libraries, and every header of ours they reach, is free of Qt.
TEST(Layering, TheCoreNeverIncludesQt) {
  std::set<std::string> pending;
  for (const char* lib : {"core", "text", "platform", "cli"}) {
    const std::set<std::string> more =
        SourcesOf(std::string(DORVANE_SOURCE_LISTS "/") + lib + "_sources.txt");
    pending.insert(more.begin(), more.end());
  }
  ASSERT_GT(pending.size(), 20u);
  std::set<std::string> seen;
  while (!pending.empty()) {
    const fs::path file = *pending.begin();
    pending.erase(pending.begin());
    if (!seen.insert(file.string()).second) continue;
    for (const std::string& inc : Includes(file, false)) {
      EXPECT_FALSE(IsToolkitHeader(inc)) << file << " includes <" << inc << ">";
    }
    for (const std::string& inc : Includes(file, true)) {
      EXPECT_FALSE(IsToolkitHeader(fs::path(inc).filename().string()))
          << file << " includes " << inc;
      for (const fs::path& candidate : {kSrc / inc, file.parent_path() / inc}) {
        if (fs::exists(candidate)) pending.insert(fs::weakly_canonical(candidate).string());
      }
    }
  }
  EXPECT_GT(seen.size(), 40u);
  for (const char* form : {"MainForm.cpp", "_Recherche.cpp", "About.cpp", "Application.cpp"}) {
    EXPECT_TRUE(seen.count((kSrc / "forms" / form).string())) << form << " is not in the core";
  }
}

// A source's code without its comments, and its string literals apart.
struct Code {
  std::string text;  // comments and literals blanked
  std::vector<std::string> literals;
};

Code ReadCode(const fs::path& file) {
  const std::string all = ReadAll(file);
  Code code;
  for (std::size_t i = 0; i < all.size(); ++i) {
    if (all.compare(i, 2, "//") == 0) {
      while (i < all.size() && all[i] != '\n') ++i;
      code.text += '\n';
    } else if (all.compare(i, 2, "/*") == 0) {
      i = all.find("*/", i + 2);
      if (i == std::string::npos) break;
      ++i;
    } else if (all[i] == '"' || all[i] == '\'') {
      const char quote = all[i];
      std::string literal;
      for (++i; i < all.size() && all[i] != quote; ++i) {
        if (all[i] == '\\') literal += all[i++];
        literal += all[i];
      }
      if (quote == '"') code.literals.push_back(literal);
      code.text += ' ';
    } else {
      code.text += all[i];
    }
  }
  return code;
}

const dorvane::WindowLayout* const kWindows[] = {
    &dorvane::TForm1::kLayout, &dorvane::TForm2::kLayout, &dorvane::TFAbout::kLayout};

// Every text the user reads in the windows, as the forms' tables give it.
std::set<std::string> WindowTexts() {
  std::set<std::string> texts;
  for (const dorvane::WindowLayout* w : kWindows) {
    texts.emplace(w->caption);
    for (const auto& c : w->controls) {
      if (c.kind != dorvane::ControlKind::kPicture) texts.emplace(c.text);
      texts.emplace(c.accessibleName);
    }
    for (const auto& m : w->menu) texts.emplace(m.caption);
    for (const auto& b : w->toolButtons) {
      texts.emplace(b.hint);
      texts.emplace(dorvane::SpokenName(b.hint));
    }
    for (const auto& p : w->panels) texts.emplace(p.text);
  }
  texts.erase("");
  texts.erase(std::string(dorvane::kMenuSeparator));
  return texts;
}

// Holds a front end's sources to the rule below; counts the window-building files scanned.
void ScanFrontEnd(const std::vector<std::pair<fs::path, std::string>>& sources,
                  const std::set<std::string>& builders, const std::set<std::string>& texts,
                  const std::set<int>& numbers, const std::regex& number, int& scanned) {
  for (const auto& [file, folder] : sources) {
    const Code code = ReadCode(file);
    for (const std::string& literal : code.literals) {
      EXPECT_FALSE(texts.count(literal)) << file << " holds the window text \"" << literal << '"';
      const bool ascii = std::all_of(literal.begin(), literal.end(),
                                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
      EXPECT_TRUE(ascii) << file << " holds the text \"" << literal << '"';
    }
    if (builders.count(file.filename().string())) {
      ++scanned;
      for (std::sregex_iterator m(code.text.begin(), code.text.end(), number), end; m != end; ++m) {
        EXPECT_FALSE(numbers.count(std::stoi(m->str())))
            << file << " holds the layout number " << m->str();
      }
    }
  }
}

// The front ends (Qt, Win32) only build what the forms' tables say: no caption, hint, menu text
// or message of their own (the program's texts are French, so any accented literal is one), and
// in the files that build the windows no number of the tables' layouts.
TEST(Layering, TheFrontEndsHoldNoTextOrLayoutNumberOfTheirOwn) {
  const std::set<std::string> texts = WindowTexts();
  ASSERT_GT(texts.size(), 40u);
  std::set<int> numbers;
  for (const dorvane::WindowLayout* w : kWindows) {
    numbers.insert({w->clientWidth, w->clientHeight});
    for (const auto& c : w->controls) numbers.insert({c.left, c.top, c.width, c.height});
    for (const auto& b : w->toolButtons) numbers.insert(b.left);
    for (const auto& p : w->panels) numbers.insert(p.width);
  }
  numbers.insert(
      {dorvane::kToolButtonWidth, dorvane::kToolButtonHeight, dorvane::kToolSeparatorWidth});
  std::erase_if(numbers, [](int n) { return n <= 8; });  // small offsets, character codes

  // The files that build windows, by front end.
  static const std::map<std::string, std::set<std::string>> builders = {
      {"qt",
       {"FormControls.cpp", "MainWindow.cpp", "SearchWindow.h", "AboutWindow.cpp", "ToolBar.cpp",
        "StatusBar.cpp", "_Dorvane.cpp"}},
      {"win32",
       {"FormControls.cpp", "FormWindow.cpp", "MainWindow.cpp", "SearchWindow.h", "AboutWindow.cpp",
        "ToolBar.cpp", "StatusBar.cpp", "Application.cpp", "_Dorvane.cpp"}},
  };
  static const std::regex number(R"(\b\d+\b)");
  int scanned = 0;
  std::size_t expected = 0;
  for (const auto& [frontEnd, files] : builders) {
    expected += files.size();
    ScanFrontEnd(Sources(kSrc / frontEnd), files, texts, numbers, number, scanned);
  }
  EXPECT_EQ(scanned, static_cast<int>(expected));
}

}  // namespace
