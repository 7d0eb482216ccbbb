#include "platform/Process.h"

#include <unistd.h>

#include <fstream>
#include <iterator>

namespace dorvane::platform {
namespace {

class LinuxProcess final : public ProcessInfo {
 public:
  std::string ModuleFileName() const override {
    std::string buffer(256, '\0');
    for (;;) {
      const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
      if (n < 0) return {};
      if (static_cast<std::size_t>(n) < buffer.size()) {
        buffer.resize(static_cast<std::size_t>(n));
        return buffer;
      }
      buffer.resize(buffer.size() * 2);
    }
  }

  // Read from the kernel's copy, so they are known before any toolkit has taken its own
  // options out of argv.
  std::vector<std::string> Arguments() const override {
    std::ifstream in("/proc/self/cmdline", std::ios::binary);
    const std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::string> args;
    std::size_t start = 0;
    while (start < all.size()) {
      const auto end = all.find('\0', start);
      if (end == std::string::npos) {
        args.push_back(all.substr(start));
        break;
      }
      args.push_back(all.substr(start, end - start));
      start = end + 1;
    }
    return args;
  }
};

}  // namespace

const ProcessInfo& SystemProcess() {
  static const LinuxProcess process;
  return process;
}

}  // namespace dorvane::platform
