#pragma once

#include <string>
#include <string_view>

// The calling convention of the system's published entry points: stdcall on 32-bit Windows,
// the only system where it differs from the default.
#if defined(_WIN32) && !defined(_WIN64)
#define DORVANE_SYSTEM_CALL __stdcall
#else
#define DORVANE_SYSTEM_CALL
#endif

namespace dorvane::platform {

// A loaded library; nullptr stands for none.
using LibraryHandle = void*;

// Loading a shared library by path, looking up its exports by name, and releasing it.
class DynamicLibraries {
 public:
  virtual ~DynamicLibraries() = default;
  // nullptr when the library cannot be loaded.
  virtual LibraryHandle Load(const std::string& path) = 0;
  // nullptr when the library has no export of that name.
  virtual void* FindExport(LibraryHandle library, const std::string& name) const = 0;
  virtual void Release(LibraryHandle library) = 0;
};

DynamicLibraries& SystemLibraries();
DynamicLibraries& ActiveLibraries();
void SetActiveLibraries(DynamicLibraries* libraries);  // nullptr returns to the system's

}  // namespace dorvane::platform
