#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cli/Program.h"
#include "dates/DateLocale.h"

namespace dorvane {
namespace {

// Records what the program's start asked of the system.
class RecordingLauncher final : public Launcher {
 public:
  std::ostream& Output() override { return out; }
  void WriteError(const std::string& line) override { errors.push_back(line); }
  int RunWindows(const LaunchOptions& options) override {
    windows = options;
    return 0;
  }

  std::ostringstream out;
  std::vector<std::string> errors;
  std::optional<LaunchOptions> windows;
};

// Which road each command line takes: "/debug" and "-debug" (any case) and any argument that is
// not a "--" option (a dropped file, a shortcut's extra word, an option of another program)
// open the window; our "--" options run, wherever they stand; an unknown "--" option is one
// line of error and status 2, never the window.
TEST(Program, StrayArgumentsOpenTheWindowAndUnknownOptionsAreRefused) {
  SetDateLocale(DateLocale{});
  const struct {
    std::vector<std::string> args;
    const char* road;  // "window", "screenshot", "print" or the error line
  } cases[] = {
      {{}, "window"},
      {{"/debug"}, "window"},
      {{"C:\\fichier.txt"}, "window"},
      {{"-h"}, "window"},
      {{"-debug", "--version"}, "print"},
      {{"fichier.txt", "--month", "2005-03-07"}, "print"},
      {{"--format", "--date"}, "print"},  // an operand of --format
      {{"--screenshot", "a.png", "fichier.txt"}, "screenshot"},
      {{"x.txt", "--screenshot", "a.png", "/debug"}, "screenshot"},
      {{"--nope"}, "Option inconnue : « --nope » (voir dorvane --help)."},
      {{"C:\\fichier.txt", "--Print"}, "Option inconnue : « --Print » (voir dorvane --help)."},
      {{"--screenshot", "a.png", "--nope"}, "Option inconnue : « --nope » (voir dorvane --help)."},
      {{"--"}, "Option inconnue : « -- » (voir dorvane --help)."},
      {{"/debug", "--date", "2005-03-07"},
       "Les options --date et --window vont avec --screenshot (voir dorvane --help)."},
      // One reader and one wording for dates, with the command line's --print and --month.
      {{"--screenshot", "a.png", "--date", "2005-03-07T10:00:00"},
       "Date mal formée : « 2005-03-07T10:00:00 » (forme attendue : AAAA-MM-JJ)."},
  };
  for (const auto& c : cases) {
    RecordingLauncher launcher;
    const int status = RunProgram(c.args, launcher);
    const std::string road = c.road;
    const std::string name = c.args.empty() ? "(none)" : c.args.front();
    if (road == "window" || road == "screenshot") {
      EXPECT_EQ(status, 0) << name;
      ASSERT_TRUE(launcher.windows) << name;
      EXPECT_EQ(launcher.windows->screenshot.has_value(), road == "screenshot") << name;
      EXPECT_TRUE(launcher.errors.empty()) << name;
    } else if (road == "print") {
      EXPECT_EQ(status, 0) << name;
      EXPECT_FALSE(launcher.windows) << name;
      EXPECT_FALSE(launcher.out.str().empty()) << name;
    } else {
      EXPECT_EQ(status, 2) << name;
      EXPECT_FALSE(launcher.windows) << name;
      EXPECT_EQ(launcher.out.str(), "") << name;
      EXPECT_EQ(launcher.errors, std::vector<std::string>{road}) << name;
    }
  }
}

}  // namespace
}  // namespace dorvane
