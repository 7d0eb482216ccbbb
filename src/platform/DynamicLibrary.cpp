#include "platform/DynamicLibrary.h"

#include <dlfcn.h>

namespace dorvane::platform {
namespace {

class LinuxLibraries final : public DynamicLibraries {
 public:
  LibraryHandle Load(const std::string& path) override {
    if (path.empty()) return nullptr;
    // A name without a slash would be searched for along the library path; we load by path.
    const std::string byPath = path.find('/') == std::string::npos ? "./" + path : path;
    return ::dlopen(byPath.c_str(), RTLD_NOW | RTLD_LOCAL);
  }

  void* FindExport(LibraryHandle library, const std::string& name) const override {
    if (library == nullptr) return nullptr;
    return ::dlsym(library, name.c_str());
  }

  void Release(LibraryHandle library) override {
    if (library != nullptr) ::dlclose(library);
  }
};

}  // namespace

DynamicLibraries& SystemLibraries() {
  static LinuxLibraries libraries;
  return libraries;
}

}  // namespace dorvane::platform
