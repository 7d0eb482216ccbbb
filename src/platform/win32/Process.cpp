#include "platform/Process.h"

#include <windows.h>

#include <algorithm>
#include <optional>
#include <string_view>

#include "platform/DynamicLibrary.h"
#include "platform/win32/CommandLine.h"
#include "platform/win32/Wide.h"

namespace dorvane::platform {

std::optional<std::wstring_view> NameAlone(std::wstring_view line) {
  constexpr std::wstring_view kBlanks = L" \t";
  if (line.empty()) return std::nullopt;
  std::size_t first = 0;
  std::size_t end = 0;
  std::size_t rest = 0;
  if (line.front() == L'"') {
    first = 1;
    end = line.find(L'"', 1);
    if (end == std::wstring_view::npos) return std::nullopt;
    rest = end + 1;
  } else {
    end = std::min(line.find_first_of(kBlanks), line.size());
    rest = end;
    if (line.substr(0, end).find(L'"') != std::wstring_view::npos) return std::nullopt;
  }
  if (line.find_first_not_of(kBlanks, rest) != std::wstring_view::npos) return std::nullopt;
  return line.substr(first, end - first);
}

namespace {

class Win32Process final : public ProcessInfo {
 public:
  std::string ModuleFileName() const override {
    std::wstring buffer(MAX_PATH + 1, L'\0');
    for (;;) {
      const DWORD n =
          ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
      if (n == 0) return {};
      // A name that fills the buffer may have been cut (and on Windows XP is not terminated).
      if (n < buffer.size() - 1) return Utf8(std::wstring_view(buffer.data(), n));
      buffer.resize(buffer.size() * 2);
    }
  }

  // Split by the system's own rules for quotes and backslashes (CommandLineToArgvW). The
  // shell's library, which has it, is loaded only for a command line with arguments.
  std::vector<std::string> Arguments() const override {
    const wchar_t* line = ::GetCommandLineW();
    if (const std::optional<std::wstring_view> name = NameAlone(line != nullptr ? line : L"")) {
      return {Utf8(*name)};
    }
    std::vector<std::string> args;
    const LoadedLibrary shell("shell32.dll");
    using Split = LPWSTR*(WINAPI*)(LPCWSTR, int*);
    const auto split = shell.Find<Split>("CommandLineToArgvW");
    int count = 0;
    LPWSTR* list = split != nullptr ? split(line, &count) : nullptr;
    if (list != nullptr) {
      for (int i = 0; i < count; ++i) args.push_back(Utf8(list[i]));
      ::LocalFree(list);
    }
    return args;
  }
};

}  // namespace

const ProcessInfo& SystemProcess() {
  static const Win32Process process;
  return process;
}

}  // namespace dorvane::platform
