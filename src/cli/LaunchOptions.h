#pragma once

#include <optional>
#include <string>
#include <vector>

#include "dates/DateValue.h"
#include "text/Utf8.h"

namespace dorvane {

enum class ScreenshotWindow { kMain, kSearch, kAbout };

// What "dorvane --screenshot FILE [--date YYYY-MM-DD] [--window main|search|about]" asks for.
struct ScreenshotRequest {
  std::string file;
  std::optional<DateParts> date;
  ScreenshotWindow window = ScreenshotWindow::kMain;
};

struct LaunchOptions {
  std::optional<ScreenshotRequest> screenshot;
};

// Where the command of the arguments (program name excluded) stands: the first argument that
// begins with "--", an option of ours or not. Nothing when there is none: the program opens its
// window, and the other arguments ("/debug" and "-debug", which ask for the diagnostic report,
// a file dropped on the program, a shortcut's extra word) change nothing else.
std::optional<std::size_t> CommandIndex(const std::vector<std::string>& args);

// Whether the arguments ask for a screenshot rather than the window or an option that prints.
bool IsScreenshotCommand(const std::vector<std::string>& args);

// Reads a screenshot command. An argument that begins with "--" must be one of its options;
// any other that is no option's value is ignored, as when the window opens. Returns the
// options, or fills error with a French message for the user.
std::optional<LaunchOptions> ParseLaunchOptions(const std::vector<std::string>& args,
                                                std::string& error);

// The message when the screenshot cannot be written to `file`.
inline std::string ScreenshotWriteError(const std::string& file) {
  return "Impossible d'écrire " + OneLineText(file) + ".";
}

}  // namespace dorvane
