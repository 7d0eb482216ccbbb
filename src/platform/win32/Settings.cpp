#include "platform/Settings.h"

#include <windows.h>

#include "platform/win32/Wide.h"

namespace dorvane::platform {
namespace {

constexpr wchar_t kKey[] = L"Software\\Dorvane";

class RegistrySettings final : public Settings {
 public:
  std::optional<bool> ReadBool(std::string_view name) const override {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
      return std::nullopt;
    }
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    const LONG status = ::RegQueryValueExW(key, Wide(name).c_str(), nullptr, &type,
                                           reinterpret_cast<BYTE*>(&value), &size);
    ::RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_DWORD || size != sizeof value || value > 1) {
      return std::nullopt;
    }
    return value == 1;
  }

  bool WriteBool(std::string_view name, bool value) override {
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
      return false;
    }
    const DWORD data = value ? 1 : 0;
    const LONG status = ::RegSetValueExW(key, Wide(name).c_str(), 0, REG_DWORD,
                                         reinterpret_cast<const BYTE*>(&data), sizeof data);
    ::RegCloseKey(key);
    return status == ERROR_SUCCESS;
  }
};

}  // namespace

Settings& SystemSettings() {
  static RegistrySettings settings;
  return settings;
}

}  // namespace dorvane::platform
