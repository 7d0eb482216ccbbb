#include "platform/win32/Wide.h"

#include <windows.h>

#include "platform/Desktop.h"
#include "text/Utf8.h"

namespace dorvane::platform {

// wchar_t is UTF-16 on Windows.
std::wstring Wide(std::string_view utf8) {
  const std::u16string wide = Utf16FromUtf8(utf8);
  return std::wstring(wide.begin(), wide.end());
}

std::string Utf8(std::wstring_view utf16) {
  return Utf8FromUtf16(
      std::u16string_view(reinterpret_cast<const char16_t*>(utf16.data()), utf16.size()));
}

std::optional<std::string> AnsiText(std::string_view utf8) {
  const std::wstring wide = Wide(utf8);
  if (wide.empty()) return std::string();
  const int size = static_cast<int>(wide.size());
  BOOL lacking = FALSE;
  const int needed = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), size, nullptr,
                                           0, nullptr, &lacking);
  if (needed <= 0 || lacking) return std::nullopt;
  std::string out(static_cast<std::size_t>(needed), '\0');
  ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), size, out.data(), needed,
                        nullptr, nullptr);
  // A character that the code page folds into another is lacking too: the text must read back.
  std::wstring back(wide.size(), L'\0');
  const int read = ::MultiByteToWideChar(CP_ACP, 0, out.data(), needed, back.data(), size);
  if (read != size || back != wide) return std::nullopt;
  return out;
}

}  // namespace dorvane::platform
