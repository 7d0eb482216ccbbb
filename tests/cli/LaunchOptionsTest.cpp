#include <gtest/gtest.h>

#include "cli/LaunchOptions.h"

namespace dorvane {
namespace {

std::optional<LaunchOptions> Parse(std::vector<std::string> args, std::string& error) {
  return ParseLaunchOptions(args, error);
}

TEST(LaunchOptionsTest, ScreenshotWithDateAndWindow) {
  std::string error;
  auto o = Parse({"--screenshot", "a.png", "--date", "2005-03-07", "--window", "search"}, error);
  ASSERT_TRUE(o && o->screenshot) << error;
  EXPECT_EQ(o->screenshot->file, "a.png");
  ASSERT_TRUE(o->screenshot->date);
  EXPECT_EQ(*o->screenshot->date, (DateParts{2005, 3, 7}));
  EXPECT_EQ(o->screenshot->window, ScreenshotWindow::kSearch);
}

TEST(LaunchOptionsTest, EachWindowByItsName) {
  const struct {
    const char* name;
    ScreenshotWindow window;
  } cases[] = {{"main", ScreenshotWindow::kMain},
               {"search", ScreenshotWindow::kSearch},
               {"about", ScreenshotWindow::kAbout}};
  for (const auto& c : cases) {
    std::string error;
    auto o = Parse({"--screenshot", "a.png", "--window", c.name}, error);
    ASSERT_TRUE(o && o->screenshot) << c.name << ": " << error;
    EXPECT_EQ(o->screenshot->window, c.window) << c.name;
  }
}

TEST(LaunchOptionsTest, OnlyOurOptionsMakeAScreenshotCommand) {
  EXPECT_FALSE(IsScreenshotCommand({}));
  EXPECT_FALSE(IsScreenshotCommand({"/debug"}));
  EXPECT_FALSE(IsScreenshotCommand({"--print", "2005-03-07"}));
  EXPECT_TRUE(IsScreenshotCommand({"--date", "2005-03-07"}));
  EXPECT_TRUE(IsScreenshotCommand({"/debug", "--screenshot", "a.png"}));
  // The debug switches, in any case, stand on either side of the screenshot's options.
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"/debug", "--screenshot", "a.png"},
        {"/DEBUG", "--screenshot", "a.png"},
        {"--screenshot", "a.png", "-Debug"}}) {
    std::string error;
    auto o = Parse(args, error);
    ASSERT_TRUE(o && o->screenshot) << error;
    EXPECT_EQ(o->screenshot->file, "a.png");
    EXPECT_FALSE(o->screenshot->date);
    EXPECT_EQ(o->screenshot->window, ScreenshotWindow::kMain);
  }
  EXPECT_FALSE(IsScreenshotCommand({"--format", "--date"})) << "an operand of --format";
}

TEST(LaunchOptionsTest, RefusedArguments) {
  const std::vector<std::vector<std::string>> refused = {
      {"--screenshot"},
      {"--screenshot", "a.png", "--date"},
      {"--screenshot", "a.png", "--date", "2005-3-7"},
      {"--screenshot", "a.png", "--date", "2005/03/07"},
      {"--screenshot", "a.png", "--date", "+005-03-07"},
      {"--screenshot", "a.png", "--window", "other"},
      {"--date", "2005-03-07"},
      {"--screenshot", "a.png", "--print"},
      {"--screenshot", "a.png", "--debug"},
  };
  for (const auto& args : refused) {
    std::string error;
    EXPECT_FALSE(Parse(args, error)) << args.back();
    EXPECT_FALSE(error.empty());
  }
}

// One reader and one wording for dates, with the command line's --print and --month.
TEST(LaunchOptionsTest, AMalformedDateGetsTheCommandLinesMessage) {
  std::string error;
  EXPECT_FALSE(Parse({"--screenshot", "a.png", "--date", "2005-03-07T10:00:00"}, error));
  EXPECT_EQ(error, "Date mal formée : « 2005-03-07T10:00:00 » (forme attendue : AAAA-MM-JJ).");
}

}  // namespace
}  // namespace dorvane
