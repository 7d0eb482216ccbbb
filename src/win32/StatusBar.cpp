#include "win32/StatusBar.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

namespace dorvane::win32 {

namespace {

// A panel's text, as a bar of plain texts answers it: its length in the low word (in the
// ANSI code page's bytes for the ANSI message), its kind in the high word (0, plain text), the
// text copied when a place is given for it. Owner-drawn, the bar itself would answer its
// drawing data, and a screen reader would read nothing.
LRESULT AnswerText(const std::wstring& text, bool wide, LPARAM place) {
  if (wide) {
    if (place != 0) std::copy_n(text.c_str(), text.size() + 1, reinterpret_cast<wchar_t*>(place));
    return MAKELRESULT(text.size(), 0);
  }
  const int bytes = ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()),
                                          nullptr, 0, nullptr, nullptr);
  if (place != 0) {
    auto* out = reinterpret_cast<char*>(place);
    ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), out, bytes,
                          nullptr, nullptr);
    out[bytes] = '\0';
  }
  return MAKELRESULT(bytes, 0);
}

// The answer to a question on the panels' texts; false for another message, or a panel the
// bar holds no text of.
bool AnswerPanelText(const PanelTexts& texts, UINT message, WPARAM wParam, LPARAM lParam,
                     LRESULT& answer) {
  const auto text = [&](std::size_t panel) -> const std::wstring* {
    return panel < texts.size() ? &texts[panel] : nullptr;
  };
  const std::wstring* found = nullptr;
  switch (message) {
    case SB_GETTEXTW:
    case SB_GETTEXTLENGTHW:
    case SB_GETTEXTA:
    case SB_GETTEXTLENGTHA:
      found = text(LOWORD(wParam));
      if (found == nullptr) return false;
      answer = AnswerText(*found, message == SB_GETTEXTW || message == SB_GETTEXTLENGTHW,
                          message == SB_GETTEXTW || message == SB_GETTEXTA ? lParam : 0);
      return true;
    case WM_GETTEXTLENGTH:  // the bar's own text is its first panel's
      found = text(0);
      if (found == nullptr) return false;
      answer = static_cast<LRESULT>(found->size());
      return true;
    case WM_GETTEXT: {
      found = text(0);
      if (found == nullptr) return false;
      const std::size_t room = wParam;
      if (room == 0 || lParam == 0) {
        answer = 0;
        return true;
      }
      const std::size_t copied = std::min(found->size(), room - 1);
      auto* out = reinterpret_cast<wchar_t*>(lParam);
      std::copy_n(found->c_str(), copied, out);
      out[copied] = L'\0';
      answer = static_cast<LRESULT>(copied);
      return true;
    }
    default:
      return false;
  }
}

LRESULT CALLBACK PanelTextsProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR data) {
  LRESULT answer = 0;
  if (AnswerPanelText(*reinterpret_cast<const PanelTexts*>(data), message, wParam, lParam,
                      answer)) {
    return answer;
  }
  if (message == WM_NCDESTROY) ::RemoveWindowSubclass(bar, PanelTextsProc, 0);
  return ::DefSubclassProc(bar, message, wParam, lParam);
}

}  // namespace

void AnswerPanelTexts(HWND bar, const PanelTexts& texts) {
  ::SetWindowSubclass(bar, PanelTextsProc, 0, reinterpret_cast<DWORD_PTR>(&texts));
}

}  // namespace dorvane::win32
