#pragma once

#include <string>
#include <vector>

namespace dorvane::platform {

// What the running program knows about itself.
class ProcessInfo {
 public:
  virtual ~ProcessInfo() = default;
  // The full file name of the running executable.
  virtual std::string ModuleFileName() const = 0;
  // The start-up arguments as given, the program's own path first.
  virtual std::vector<std::string> Arguments() const = 0;
};

const ProcessInfo& SystemProcess();
const ProcessInfo& ActiveProcess();

}  // namespace dorvane::platform
