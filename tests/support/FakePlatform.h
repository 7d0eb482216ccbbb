#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/DynamicLibrary.h"
#include "platform/Files.h"
#include "platform/Process.h"
#include "platform/Registry.h"
#include "platform/Services.h"
#include "platform/SystemInfo.h"

namespace dorvane::testing {

// In-memory stand-ins for the platform services, installed as the active ones for as long as
// a FakePlatform lives.

// The user's stored choices in memory; a store that refuses (`refuse`) reads nothing and
// writes nothing, as an unreadable file or registry key.
class FakeSettings : public platform::Settings {
 public:
  std::map<std::string, bool> values;
  bool refuse = false;

  std::vector<std::optional<bool>> ReadBools(
      std::span<const std::string_view> names) const override {
    std::vector<std::optional<bool>> read(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
      const auto it = values.find(std::string(names[i]));
      if (!refuse && it != values.end()) read[i] = it->second;
    }
    return read;
  }
  bool WriteBool(std::string_view name, bool value) override {
    if (refuse) return false;
    values[std::string(name)] = value;
    return true;
  }
};

class FakeRegistry : public platform::Registry {
 public:
  std::map<std::string, std::optional<std::string>> keys;  // nullopt: a value that is not text

  std::optional<std::string> ReadDefaultValue(platform::RegistryRoot root,
                                              std::string_view key) const override {
    if (root != platform::RegistryRoot::ClassesRoot) return std::nullopt;
    const auto it = keys.find(std::string(key));
    return it == keys.end() ? std::nullopt : it->second;
  }
};

class FakeLibraries : public platform::DynamicLibraries {
 public:
  // Path -> its exports by name, with their addresses.
  std::map<std::string, std::map<std::string, void*>> libraries;
  std::vector<std::string> loads;     // paths, in the order they were loaded
  std::vector<std::string> releases;  // paths, in the order they were released

  platform::LibraryHandle Load(const std::string& path) override {
    const auto it = libraries.find(path);
    if (it == libraries.end()) return nullptr;
    loads.push_back(path);
    return &*it;
  }

  void* FindExport(platform::LibraryHandle library, const std::string& name) const override {
    if (library == nullptr) return nullptr;
    const auto& exports = static_cast<const Library*>(library)->second;
    const auto it = exports.find(name);
    return it == exports.end() ? nullptr : it->second;
  }

  void Release(platform::LibraryHandle library) override {
    releases.push_back(static_cast<const Library*>(library)->first);
  }

 private:
  using Library = std::pair<const std::string, std::map<std::string, void*>>;
};

// Paths are plain strings; a file's directory is the text before its last '/'.
class FakeFileSystem : public platform::FileSystem {
 public:
  std::map<std::string, std::string> files;  // path -> content
  std::set<std::string> directories;
  std::set<std::string> readOnlyDirectories;
  std::map<std::string, std::string> links;  // path -> target

  bool FileExists(const std::string& path) const override {
    const auto link = links.find(path);
    return files.count(link != links.end() ? link->second : path) > 0;
  }
  bool DirectoryExists(const std::string& path) const override {
    std::string dir = path;
    while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
    return directories.count(dir) > 0;
  }
  bool IsSymbolicLink(const std::string& path) const override { return links.count(path) > 0; }

  bool CanCreateFile(const std::string& path) override {
    return CanWrite(path) && files.count(path) == 0 && directories.count(path) == 0;
  }
  bool DeleteFile(const std::string& path) override {
    if (links.erase(path) > 0) return true;
    if (readOnlyDirectories.count(Parent(path)) > 0) return false;
    return files.erase(path) > 0;
  }
  bool AppendText(const std::string& path, std::string_view text) override {
    if (!CanWrite(path)) return false;
    files[path] += text;
    return true;
  }

  static std::string Parent(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
  }

 private:
  // Never through a link, never over a directory, only in a writable directory that exists.
  bool CanWrite(const std::string& path) const {
    if (links.count(path) > 0 || directories.count(path) > 0) return false;
    const std::string parent = Parent(path);
    return (parent.empty() || directories.count(parent) > 0) &&
           readOnlyDirectories.count(parent) == 0;
  }
};

class FakeProcess : public platform::ProcessInfo {
 public:
  std::string moduleFileName;
  std::vector<std::string> arguments;

  std::string ModuleFileName() const override { return moduleFileName; }
  std::vector<std::string> Arguments() const override { return arguments; }
};

class FakeSystemInfo : public platform::SystemInfo {
 public:
  std::string tempDirectory;
  std::string systemDirectory;
  std::map<std::string, platform::VersionNumbers> versions;  // path -> declared version
  platform::PlatformVersion version;
  std::uint32_t localeId = 0;

  std::string TempDirectory() const override { return tempDirectory; }
  std::string SystemDirectory() const override { return systemDirectory; }
  std::optional<platform::VersionNumbers> FileVersion(const std::string& path) const override {
    const auto it = versions.find(path);
    if (it == versions.end()) return std::nullopt;
    return it->second;
  }
  platform::PlatformVersion Version() const override { return version; }
  std::uint32_t DefaultLocaleId() const override { return localeId; }
};

struct FakePlatform {
  FakeRegistry registry;
  FakeLibraries libraries;
  FakeFileSystem files;
  FakeProcess process;
  FakeSystemInfo system;

  platform::ServicesScope services{{.files = &files,
                                    .registry = &registry,
                                    .libraries = &libraries,
                                    .process = &process,
                                    .system = &system}};
};

}  // namespace dorvane::testing
