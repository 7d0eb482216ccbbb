#pragma once

#include <optional>
#include <string>
#include <vector>

#include "dates/DateValue.h"

namespace dorvane {

enum class ScreenshotWindow { kMain, kSearch };

// What "dorvane --screenshot FILE [--date YYYY-MM-DD] [--window main|search]" asks for.
struct ScreenshotRequest {
  std::string file;
  std::optional<DateParts> date;
  ScreenshotWindow window = ScreenshotWindow::kMain;
};

struct LaunchOptions {
  std::optional<ScreenshotRequest> screenshot;
};

// Reads the screenshot options out of the arguments (program name excluded); other arguments
// are left to the rest of the start-up. Returns the
// options, or fills error with a French message for the user.
std::optional<LaunchOptions> ParseLaunchOptions(const std::vector<std::string>& args,
                                                std::string& error);

}  // namespace dorvane
