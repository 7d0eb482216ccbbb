#pragma once

#include <ostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/Program.h"

namespace dorvane {

enum class StandardStream { kOutput, kError };

// Writes UTF-8 text to the program's standard output or error: as UTF-16 to a console, so that
// accents show right whatever the console's code page, else as UTF-8 with Windows line ends to
// the file or pipe. A program started from a console without handles of its own (a window
// program) writes to that console. False when the text could not be written.
bool WriteStandard(StandardStream stream, std::string_view utf8);

// A stream on standard output or error: what is written goes out, through WriteStandard, at
// each flush; a write that fails fails the flush, so the stream reports it as any other would.
class StandardStreamBuffer final : public std::stringbuf {
 public:
  explicit StandardStreamBuffer(StandardStream stream) : stream_(stream) {}

 protected:
  int sync() override {
    const std::string text = str();
    str({});
    return WriteStandard(stream_, text) ? 0 : -1;
  }

 private:
  StandardStream stream_;
};

// The program's start on Windows: what the options print goes to standard output, the lines
// for the user to standard error.
class StandardLauncher : public Launcher {
 public:
  std::ostream& Output() override { return output_; }
  void WriteError(const std::string& line) override {
    WriteStandard(StandardStream::kError, line + "\n");
  }

 private:
  StandardStreamBuffer outputBuffer_{StandardStream::kOutput};
  std::ostream output_{&outputBuffer_};
};

// The program's arguments, its name left out.
std::vector<std::string> ProgramArguments();

}  // namespace dorvane
