#include "platform/Process.h"

#include <windows.h>

// After windows.h, which declares what it uses.
#include <shellapi.h>

#include "platform/win32/Wide.h"

namespace dorvane::platform {
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

  // Split by the system's own rules for quotes and backslashes.
  std::vector<std::string> Arguments() const override {
    int count = 0;
    LPWSTR* list = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> args;
    if (list == nullptr) return args;
    for (int i = 0; i < count; ++i) args.push_back(Utf8(list[i]));
    ::LocalFree(list);
    return args;
  }
};

}  // namespace

const ProcessInfo& SystemProcess() {
  static const Win32Process process;
  return process;
}

}  // namespace dorvane::platform
