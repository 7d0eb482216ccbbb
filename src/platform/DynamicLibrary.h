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

// A library's export as a function of type Function; nullptr when it has none.
template <class Function>
Function FindFunction(const DynamicLibraries& libraries, LibraryHandle library,
                      const std::string& name) {
  return reinterpret_cast<Function>(libraries.FindExport(library, name));
}

// A library of the system loaded for as long as the object lives, for the functions the program
// looks up by name (those later systems have, or those only some commands need).
class LoadedLibrary {
 public:
  explicit LoadedLibrary(const std::string& path) : handle_(SystemLibraries().Load(path)) {}
  ~LoadedLibrary() { SystemLibraries().Release(handle_); }
  LoadedLibrary(const LoadedLibrary&) = delete;
  LoadedLibrary& operator=(const LoadedLibrary&) = delete;

  // nullptr when the library could not be loaded or has no such export.
  template <class Function>
  Function Find(const std::string& name) const {
    return FindFunction<Function>(SystemLibraries(), handle_, name);
  }

 private:
  LibraryHandle handle_;
};

}  // namespace dorvane::platform
