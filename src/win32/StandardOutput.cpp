#include "win32/StandardOutput.h"

#include <windows.h>

#include <string>

#include "platform/Process.h"
#include "platform/win32/Wide.h"
#include "platform/win32/WriteAll.h"

namespace dorvane {
namespace {

// The handle to write to: the one inherited, else the console of the parent process.
HANDLE StandardHandle(StandardStream stream) {
  const DWORD which = stream == StandardStream::kOutput ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE;
  HANDLE handle = ::GetStdHandle(which);
  if (handle != nullptr && handle != INVALID_HANDLE_VALUE) return handle;
  static const bool attached =
      ::AttachConsole(ATTACH_PARENT_PROCESS) != 0 || ::GetLastError() == ERROR_ACCESS_DENIED;
  if (!attached) return INVALID_HANDLE_VALUE;
  handle = ::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (handle != INVALID_HANDLE_VALUE) ::SetStdHandle(which, handle);
  return handle;
}

bool WriteConsoleText(HANDLE handle, std::wstring_view text) {
  while (!text.empty()) {
    DWORD written = 0;
    const auto chunk = static_cast<DWORD>(text.size() > 8192 ? 8192 : text.size());
    if (!::WriteConsoleW(handle, text.data(), chunk, &written, nullptr) || written == 0) {
      return false;
    }
    text.remove_prefix(written);
  }
  return true;
}

}  // namespace

bool WriteStandard(StandardStream stream, std::string_view utf8) {
  if (utf8.empty()) return true;
  const HANDLE handle = StandardHandle(stream);
  if (handle == INVALID_HANDLE_VALUE) return false;
  DWORD mode = 0;
  if (::GetConsoleMode(handle, &mode)) return WriteConsoleText(handle, platform::Wide(utf8));
  std::string text;
  text.reserve(utf8.size() + utf8.size() / 16);
  for (const char c : utf8) {
    if (c == '\n') text += '\r';
    text += c;
  }
  return platform::WriteAll(handle, text);
}

std::vector<std::string> ProgramArguments() {
  std::vector<std::string> args = platform::SystemProcess().Arguments();
  if (!args.empty()) args.erase(args.begin());
  return args;
}

}  // namespace dorvane
