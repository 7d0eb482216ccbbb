#include "platform/DynamicLibrary.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <map>
#include <string>

namespace dorvane::platform {
namespace {

class LinuxLibraries final : public DynamicLibraries {
 public:
  LibraryHandle Load(const std::string& path) override {
    if (path.empty()) return nullptr;
    // A name without a slash would be searched for along the library path; we load by path.
    const std::string byPath = path.find('/') == std::string::npos ? "./" + path : path;
    // Only a regular file is loaded: a pipe or a device in its place would block the loader
    // for ever. The file is opened without blocking and loaded through that descriptor, so
    // the file checked is the file loaded.
    const int fd = ::open(byPath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat st {};
    LibraryHandle library = nullptr;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode))
      library = ::dlopen(("/proc/self/fd/" + std::to_string(fd)).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
      ::close(fd);
      return nullptr;
    }
    // The loader knows a library by the name it was loaded under: the descriptor stays open
    // while the library is loaded, so that no later library gets its number, and that name.
    descriptors_.emplace(library, fd);
    return library;
  }

  void* FindExport(LibraryHandle library, const std::string& name) const override {
    if (library == nullptr) return nullptr;
    return ::dlsym(library, name.c_str());
  }

  void Release(LibraryHandle library) override {
    if (library == nullptr) return;
    ::dlclose(library);
    const auto it = descriptors_.find(library);
    if (it == descriptors_.end()) return;
    ::close(it->second);
    descriptors_.erase(it);
  }

 private:
  std::multimap<LibraryHandle, int> descriptors_;
};

}  // namespace

DynamicLibraries& SystemLibraries() {
  static LinuxLibraries libraries;
  return libraries;
}

}  // namespace dorvane::platform
