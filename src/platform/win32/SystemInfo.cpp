#include "platform/SystemInfo.h"

#include <windows.h>

#include <vector>

#include "platform/win32/Wide.h"

namespace dorvane::platform {
namespace {

// A path the system writes into a buffer, asking again when the buffer was too small.
template <typename Query>
std::string SystemPath(Query query) {
  std::wstring buffer(MAX_PATH + 1, L'\0');
  for (int attempt = 0; attempt < 4; ++attempt) {
    const UINT n = query(buffer.data(), static_cast<UINT>(buffer.size()));
    if (n == 0) return {};
    if (n < buffer.size()) return Utf8(std::wstring_view(buffer.data(), n));
    buffer.resize(n + 1);
  }
  return {};
}

class Win32SystemInfo final : public SystemInfo {
 public:
  std::string TempDirectory() const override {
    return SystemPath([](wchar_t* b, UINT n) { return static_cast<UINT>(::GetTempPathW(n, b)); });
  }

  std::string SystemDirectory() const override {
    return SystemPath([](wchar_t* b, UINT n) { return ::GetSystemDirectoryW(b, n); });
  }

  // The fixed part of the version resource: the file version's two words.
  std::optional<VersionNumbers> FileVersion(const std::string& path) const override {
    const std::wstring file = Wide(path);
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(file.c_str(), &ignored);
    if (size == 0) return std::nullopt;
    std::vector<unsigned char> data(size);
    if (!::GetFileVersionInfoW(file.c_str(), 0, size, data.data())) return std::nullopt;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!::VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) ||
        fixed == nullptr || length < sizeof(VS_FIXEDFILEINFO)) {
      return std::nullopt;
    }
    return VersionNumbers{HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                          HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS)};
  }

  PlatformVersion Version() const override {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!::GetVersionExW(&info)) return {};
    const bool nt = info.dwPlatformId == VER_PLATFORM_WIN32_NT;
    // Windows 95, 98 and Me keep their major and minor version in the build's high word.
    return {nt ? "Windows NT" : "Windows", info.dwMajorVersion, info.dwMinorVersion,
            nt ? info.dwBuildNumber : LOWORD(info.dwBuildNumber)};
  }

  std::uint32_t DefaultLocaleId() const override { return ::GetThreadLocale(); }
};

}  // namespace

const SystemInfo& SystemSystemInfo() {
  static const Win32SystemInfo info;
  return info;
}

}  // namespace dorvane::platform
