#include "platform/Registry.h"

#include <windows.h>

#include "platform/win32/Wide.h"

namespace dorvane::platform {
namespace {

class Win32Registry final : public Registry {
 public:
  std::optional<std::string> ReadDefaultValue(RegistryRoot root,
                                              std::string_view key) const override {
    if (root != RegistryRoot::ClassesRoot) return std::nullopt;
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, Wide(key).c_str(), 0, KEY_READ, &opened) !=
        ERROR_SUCCESS) {
      return std::nullopt;
    }
    std::optional<std::string> value;
    DWORD type = 0;
    DWORD bytes = 0;
    if (::RegQueryValueExW(opened, nullptr, nullptr, &type, nullptr, &bytes) == ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ)) {
      // Stored text need not end with its terminator: room for one more, and cut at the first.
      std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
      DWORD size = bytes;
      if (::RegQueryValueExW(opened, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(text.data()),
                             &size) == ERROR_SUCCESS &&
          (type == REG_SZ || type == REG_EXPAND_SZ)) {
        text.resize(size / sizeof(wchar_t));
        value = Utf8(std::wstring_view(text.c_str()));
      }
    }
    ::RegCloseKey(opened);
    return value;
  }
};

}  // namespace

const Registry& SystemRegistry() {
  static const Win32Registry registry;
  return registry;
}

}  // namespace dorvane::platform
