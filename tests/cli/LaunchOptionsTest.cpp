#include <gtest/gtest.h>

#include "cli/LaunchOptions.h"

namespace dorvane {
namespace {

std::optional<LaunchOptions> Parse(std::vector<std::string> args, std::string& error) {
  return ParseLaunchOptions(args, error);
}

// The debug switches stand on either side of the screenshot's options.
TEST(LaunchOptionsTest, AcceptedArguments) {
  const struct {
    std::vector<std::string> args;
    std::optional<DateParts> date;
    ScreenshotWindow window;
  } cases[] = {
      {{"--screenshot", "a.png", "--date", "2005-03-07", "--window", "search"},
       DateParts{2005, 3, 7},
       ScreenshotWindow::kSearch},
      {{"--screenshot", "a.png", "--window", "main"}, std::nullopt, ScreenshotWindow::kMain},
      {{"--screenshot", "a.png", "--window", "about"}, std::nullopt, ScreenshotWindow::kAbout},
      {{"/debug", "--screenshot", "a.png"}, std::nullopt, ScreenshotWindow::kMain},
      {{"--screenshot", "a.png", "-Debug"}, std::nullopt, ScreenshotWindow::kMain},
  };
  for (const auto& c : cases) {
    std::string error;
    const auto o = Parse(c.args, error);
    ASSERT_TRUE(o && o->screenshot) << c.args.back() << ": " << error;
    EXPECT_EQ(o->screenshot->file, "a.png");
    EXPECT_EQ(o->screenshot->date, c.date) << c.args.back();
    EXPECT_EQ(o->screenshot->window, c.window) << c.args.back();
  }
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
      // A lone surrogate as Windows' arguments carry it, and a stray byte.
      {"--screenshot", "a\xED\xA0\x80.png"},
      {"--screenshot", "a\xE9.png"},
  };
  for (const auto& args : refused) {
    std::string error;
    EXPECT_FALSE(Parse(args, error)) << args.back();
    EXPECT_FALSE(error.empty());
  }
}

}  // namespace
}  // namespace dorvane
