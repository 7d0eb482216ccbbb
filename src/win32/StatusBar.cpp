#include "win32/StatusBar.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "forms/Handlers.h"
#include "win32/Pictures.h"

namespace dorvane::win32 {

namespace {

struct BarFace {
  BufferDc face;
  bool drawingFace = false;  // the panels are asked for no text meanwhile
  // The panels' drawing requests as the bar makes them, recorded while the face is drawn.
  std::vector<DRAWITEMSTRUCT> panels;
  std::vector<std::wstring> texts;  // by panel
};

// Asks the bar's subclass to record a panel's request (a DRAWITEMSTRUCT) while the face is
// drawn; it answers 1 when it did.
constexpr UINT kRecordPanel = WM_APP + 0x100;
// Asks the bar's subclass for its kept face and texts; a bar without one answers 0.
constexpr UINT kKeptFace = WM_APP + 0x101;

bool ChangesBarFace(UINT message, WPARAM wParam) {
  switch (message) {
    case WM_SIZE:
    case WM_STYLECHANGED:
    case WM_SETFONT:
    case WM_ENABLE:
    case WM_THEMECHANGED:
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
    case 0x02E3:  // WM_DPICHANGED_AFTERPARENT
    case SB_SETPARTS:
    case SB_SETMINHEIGHT:
    case SB_SIMPLE:
    case SB_SETBKCOLOR:
    case SB_SETICON:
      return true;
    case SB_SETTEXTA:
    case SB_SETTEXTW:
      // A text the bar draws itself is part of its face; a panel we draw is not.
      return (wParam & SBT_OWNERDRAW) == 0;
    default:
      return false;
  }
}

// Draws the face at the bar's size through the bar's own painting, when it has none of that
// size. False when it cannot. Called from the bar's procedure only.
bool HoldBarFace(HWND bar, BarFace& hook) {
  RECT client{};
  ::GetClientRect(bar, &client);
  if (client.right <= 0 || client.bottom <= 0) return false;
  if (hook.face.Holds(client.right, client.bottom)) return true;
  if (!hook.face.Hold(client.right, client.bottom)) {
    hook.face.Drop();
    return false;
  }
  hook.panels.clear();
  hook.drawingFace = true;
  ::DefSubclassProc(bar, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(hook.face.Dc()),
                    PRF_CLIENT | PRF_ERASEBKGND);
  hook.drawingFace = false;
  return true;
}

// False when the bar is to paint itself instead.
bool PaintBarFromFace(HWND bar, BarFace& hook) {
  if (!HoldBarFace(bar, hook)) return false;
  PAINTSTRUCT paint;
  HDC dc = ::BeginPaint(bar, &paint);
  const RECT& area = paint.rcPaint;
  ::BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, hook.face.Dc(),
           area.left, area.top, SRCCOPY);
  // The panels in the repainted area draw their texts over the face, as the bar asks them.
  const HWND parent = ::GetParent(bar);
  for (DRAWITEMSTRUCT item : hook.panels) {
    RECT overlap{};
    if (!::IntersectRect(&overlap, &item.rcItem, &area)) continue;
    item.hDC = dc;
    ::SendMessageW(parent, WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
  }
  ::EndPaint(bar, &paint);
  return true;
}

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
bool AnswerPanelText(const BarFace& hook, UINT message, WPARAM wParam, LPARAM lParam,
                     LRESULT& answer) {
  const auto text = [&](std::size_t panel) -> const std::wstring* {
    return panel < hook.texts.size() ? &hook.texts[panel] : nullptr;
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

LRESULT CALLBACK KeptFaceBarProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR data) {
  auto* hook = reinterpret_cast<BarFace*>(data);
  if (message == kRecordPanel) {
    if (!hook->drawingFace) return 0;
    hook->panels.push_back(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    return 1;
  }
  if (message == kKeptFace) return reinterpret_cast<LRESULT>(hook);
  LRESULT answer = 0;
  if (AnswerPanelText(*hook, message, wParam, lParam, answer)) return answer;
  if (message == WM_PAINT && wParam == 0) {
    bool painted = false;
    RunHandler([&] { painted = PaintBarFromFace(bar, *hook); });
    if (painted) return 0;
  } else if (message == WM_NCDESTROY) {
    ::RemoveWindowSubclass(bar, KeptFaceBarProc, 0);
    delete hook;
  } else if (ChangesBarFace(message, wParam)) {
    hook->face.Drop();
  }
  return ::DefSubclassProc(bar, message, wParam, lParam);
}

}  // namespace

void KeepBarFace(HWND bar) {
  auto* hook = new BarFace{};
  if (!::SetWindowSubclass(bar, KeptFaceBarProc, 0, reinterpret_cast<DWORD_PTR>(hook))) delete hook;
}

namespace {

BarFace* HookOf(HWND bar) {
  return reinterpret_cast<BarFace*>(::SendMessageW(bar, kKeptFace, 0, 0));
}

}  // namespace

bool KeepPanelText(HWND bar, int panel, const std::wstring& text) {
  BarFace* hook = HookOf(bar);
  if (hook == nullptr || panel < 0) return false;
  const auto index = static_cast<std::size_t>(panel);
  if (index >= hook->texts.size()) hook->texts.resize(index + 1);
  if (hook->texts[index] == text) return false;
  hook->texts[index] = text;
  return true;
}

const std::wstring* KeptPanelText(HWND bar, int panel) {
  const BarFace* hook = HookOf(bar);
  if (hook == nullptr || panel < 0 || static_cast<std::size_t>(panel) >= hook->texts.size()) {
    return nullptr;
  }
  return &hook->texts[static_cast<std::size_t>(panel)];
}

bool RecordedForFace(HWND bar, const DRAWITEMSTRUCT& item) {
  return ::SendMessageW(bar, kRecordPanel, 0, reinterpret_cast<LPARAM>(&item)) == 1;
}

}  // namespace dorvane::win32
