#pragma once

#include <windows.h>

#include <string_view>

namespace dorvane::platform {

// Writes every byte to the file or pipe, in pieces the system takes in one call; false when a
// write fails or takes nothing.
inline bool WriteAll(HANDLE handle, std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD written = 0;
    const auto chunk = static_cast<DWORD>(bytes.size() > 0x10000 ? 0x10000 : bytes.size());
    if (!::WriteFile(handle, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

}  // namespace dorvane::platform
