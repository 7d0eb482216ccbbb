#pragma once

#include <string>
#include <string_view>

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

}  // namespace dorvane::platform
