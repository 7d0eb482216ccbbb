#include "platform/Settings.h"

#include <windows.h>

#include "platform/win32/Wide.h"

namespace dorvane::platform {
namespace {

constexpr wchar_t kKey[] = L"Software\\Dorvane";

class RegistrySettings final : public Settings {
 public:
  std::vector<std::optional<bool>> ReadBools(
      std::span<const std::string_view> names) const override {
    std::vector<std::optional<bool>> values(names.size());
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
      return values;
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
      DWORD type = 0;
      DWORD value = 0;
      DWORD size = sizeof value;
      const LONG status = ::RegQueryValueExW(key, Wide(names[i]).c_str(), nullptr, &type,
                                             reinterpret_cast<BYTE*>(&value), &size);
      if (status == ERROR_SUCCESS && type == REG_DWORD && size == sizeof value && value <= 1) {
        values[i] = value == 1;
      }
    }
    ::RegCloseKey(key);
    return values;
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
