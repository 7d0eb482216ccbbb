#include "win32/StatusBar.h"

#include <commctrl.h>

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
};

// Asks the bar's subclass to record a panel's request (a DRAWITEMSTRUCT) while the face is
// drawn; it answers 1 when it did.
constexpr UINT kRecordPanel = WM_APP + 0x100;

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

LRESULT CALLBACK KeptFaceBarProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR data) {
  auto* hook = reinterpret_cast<BarFace*>(data);
  if (message == kRecordPanel) {
    if (!hook->drawingFace) return 0;
    hook->panels.push_back(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    return 1;
  }
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

bool RecordedForFace(HWND bar, const DRAWITEMSTRUCT& item) {
  return ::SendMessageW(bar, kRecordPanel, 0, reinterpret_cast<LPARAM>(&item)) == 1;
}

}  // namespace dorvane::win32
