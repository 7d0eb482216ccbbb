#include "platform/DynamicLibrary.h"

#include <windows.h>

#include "platform/win32/Wide.h"

namespace dorvane::platform {
namespace {

class Win32Libraries final : public DynamicLibraries {
 public:
  LibraryHandle Load(const std::string& path) override {
    if (path.empty()) return nullptr;
    // No error box of the system's for a library that cannot be loaded: it is simply absent.
    const UINT previous = ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE module = ::LoadLibraryW(Wide(path).c_str());
    ::SetErrorMode(previous);
    return module;
  }

  void* FindExport(LibraryHandle library, const std::string& name) const override {
    if (library == nullptr) return nullptr;
    return reinterpret_cast<void*>(::GetProcAddress(static_cast<HMODULE>(library), name.c_str()));
  }

  void Release(LibraryHandle library) override {
    if (library != nullptr) ::FreeLibrary(static_cast<HMODULE>(library));
  }
};

}  // namespace

DynamicLibraries& SystemLibraries() {
  static Win32Libraries libraries;
  return libraries;
}

}  // namespace dorvane::platform
