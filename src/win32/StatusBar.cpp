#include "win32/StatusBar.h"

#include <commctrl.h>

#include <algorithm>
#include <limits>
#include <string>
#include <string_view>

namespace dorvane::win32 {

namespace {

// The text copied to `place` with its end, in `room` code units at most; the count copied, or
// without a place the text's length.
template <class Char>
LRESULT CopyText(std::basic_string_view<Char> text, LPARAM place, std::size_t room) {
  if (room == 0) return 0;
  if (place == 0) return static_cast<LRESULT>(text.size());
  const std::size_t copied = std::min(text.size(), room - 1);
  *std::copy_n(text.data(), copied, reinterpret_cast<Char*>(place)) = Char{};  // and its end
  return static_cast<LRESULT>(copied);
}

// SB_GETTEXT and SB_GETTEXTLENGTH give the length in the low word (in the ANSI code page's
// bytes for the ANSI messages), the kind in the high word (0, plain text). Owner-drawn, the bar
// itself would answer its drawing data, and a screen reader would read nothing.
LRESULT CALLBACK PanelTextsProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR data) {
  const auto& texts = *reinterpret_cast<const PanelTexts*>(data);
  const bool ownText = message == WM_GETTEXT || message == WM_GETTEXTLENGTH;
  const bool ansi = message == SB_GETTEXTA || message == SB_GETTEXTLENGTHA;
  const bool asked = ownText || ansi || message == SB_GETTEXTW || message == SB_GETTEXTLENGTHW;
  const std::size_t panel = ownText ? 0 : LOWORD(wParam);
  if (!asked || panel >= texts.size()) {
    if (message == WM_NCDESTROY) ::RemoveWindowSubclass(bar, PanelTextsProc, 0);
    return ::DefSubclassProc(bar, message, wParam, lParam);
  }
  const bool copies = message == SB_GETTEXTA || message == SB_GETTEXTW || message == WM_GETTEXT;
  const LPARAM place = copies ? lParam : 0;
  // SB_GETTEXT's place holds the whole text; WM_GETTEXT's, the count it gives.
  const std::size_t room = message != WM_GETTEXT ? std::numeric_limits<std::size_t>::max()
                           : lParam != 0         ? wParam
                                                 : 0;
  const std::wstring& text = texts[panel];
  if (!ansi) return CopyText(std::wstring_view(text), place, room);
  const auto convert = [&](char* out, int size) {
    return ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), out, size,
                                 nullptr, nullptr);
  };
  std::string bytes(static_cast<std::size_t>(convert(nullptr, 0)), '\0');
  convert(bytes.data(), static_cast<int>(bytes.size()));
  return CopyText(std::string_view(bytes), place, room);
}

}  // namespace

void AnswerPanelTexts(HWND bar, const PanelTexts& texts) {
  ::SetWindowSubclass(bar, PanelTextsProc, 0, reinterpret_cast<DWORD_PTR>(&texts));
}

}  // namespace dorvane::win32
