#pragma once

#include <unistd.h>

#include <cerrno>
#include <string_view>

namespace dorvane::platform {

// Writes the whole text to an open file, through interruptions and short writes; false when
// the system refuses part of it.
inline bool WriteAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t n = ::write(fd, text.data(), text.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    text.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

}  // namespace dorvane::platform
