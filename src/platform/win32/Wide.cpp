#include "platform/win32/Wide.h"

#include <windows.h>

#include "platform/Desktop.h"

namespace dorvane::platform {
namespace {

std::wstring ToUtf16(UINT codePage, std::string_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int needed = ::MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
  std::wstring out(static_cast<std::size_t>(needed > 0 ? needed : 0), L'\0');
  if (needed > 0) ::MultiByteToWideChar(codePage, 0, text.data(), size, out.data(), needed);
  return out;
}

std::string FromUtf16(UINT codePage, std::wstring_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int needed =
      ::WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(needed > 0 ? needed : 0), '\0');
  if (needed > 0) {
    ::WideCharToMultiByte(codePage, 0, text.data(), size, out.data(), needed, nullptr, nullptr);
  }
  return out;
}

}  // namespace

std::wstring Wide(std::string_view utf8) {
  return ToUtf16(CP_UTF8, utf8);
}

std::string Utf8(std::wstring_view utf16) {
  return FromUtf16(CP_UTF8, utf16);
}

std::string AnsiText(std::string_view utf8) {
  return FromUtf16(CP_ACP, Wide(utf8));
}

}  // namespace dorvane::platform
