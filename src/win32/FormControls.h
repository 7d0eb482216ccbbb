#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "forms/Layout.h"
#include "win32/StatusBar.h"
#include "win32/ToolTips.h"

#include "win32/Win32.h"

#include <commctrl.h>

namespace dorvane::win32 {

// The controls of a window built from its table: one child window per row, later rows above,
// each placed at the row's pixels scaled to the window's dpi (a row inside another control is
// a child of the window too, placed by its parent's offset); the menu bar from the table's
// menu (MakeMenu, for the window to be made with it, as with its caption), the tool bar's
// buttons and the status bar's panels from theirs; the window's icon and font. The window hands its
// messages to Command, Timer, Notify, DrawItem and ColorStatic; each row's event then runs its
// handler on the form, through RunHandler. Knows nothing of any particular window.
class FormControls {
 public:
  FormControls(HWND window, const WindowLayout& layout, TForm& form);
  ~FormControls();
  FormControls(const FormControls&) = delete;
  FormControls& operator=(const FormControls&) = delete;

  // The menu bar of a table (null when it has none), for the window to be made with it.
  static HMENU MakeMenu(const WindowLayout& layout);

  const WindowLayout& Layout() const { return layout_; }
  int Dpi() const { return dpi_; }
  // A control by its table name; null when there is none.
  HWND Find(std::string_view name) const;
  // A control's rectangle in the window's client area, in device pixels.
  RECT Bounds(std::string_view name) const;

  // The common view operations on a named control.
  void SetText(std::string_view control, std::string_view text);
  std::string Text(std::string_view control) const;
  void SetFocus(std::string_view control);
  // A panel of the window's status bar.
  void SetPanelText(int panel, std::string_view text);
  std::string PanelText(int panel) const;
  // A panel's tooltip: its text when cut, else empty.
  std::wstring PanelTip(int panel) const;
  // The check mark of the named menu item of the window's menu bar.
  void SetMenuChecked(std::string_view item, bool checked);
  bool MenuChecked(std::string_view item) const;
  // Starts the named timer row; false when the system has none left.
  bool StartTimer(std::string_view timer, int milliseconds);
  // The named picture control shows `icon` (owned by the controls from then on) at its
  // top-left corner, `size` layout pixels square.
  void ShowIcon(std::string_view control, HICON icon, int size);

  // The window's messages; true when the message was one of the controls'.
  bool Command(WPARAM wParam);
  bool Timer(WPARAM id);
  bool Notify(LPARAM lParam);
  bool DrawItem(LPARAM lParam);
  // WM_CTLCOLORSTATIC: the labels' colours; null when not a label of ours.
  HBRUSH ColorStatic(HDC dc, HWND control);

  // Lays every control out again at another dpi: positions, fonts, pictures, tool bar.
  void ChangeDpi(int dpi);
  // The system's colours or its high-contrast setting changed (WM_SYSCOLORCHANGE,
  // WM_SETTINGCHANGE): the tool bar's pictures are made again for the new face, and the
  // system's controls are told.
  void ChangeColors(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  struct Entry {
    const ControlLayout* row;
    HWND window = nullptr;
    HBITMAP picture = nullptr;  // pictures: the row's picture at the current dpi
    HICON icon = nullptr;       // pictures: an icon shown at the top-left corner
    int iconSize = 0;
    UINT_PTR timer = 0;  // timers: the running timer's id
  };

  // The window's icons at the current dpi; it is made with its caption and menu.
  void SetIcons();
  void Create(Entry& entry, int index);
  Rect LayoutRect(const ControlLayout& row) const;  // layout pixels, in the client area
  void FitToText(Entry& entry);
  void LoadPictureOf(Entry& entry);
  void SetStatusParts();
  void DrawPanel(const Entry& bar, const DRAWITEMSTRUCT& item);
  // The row's font at `stretch` per cent of its width (100: the font itself), measured on `dc`.
  HFONT NarrowFont(HDC dc, const ControlLayout& row, int stretch);
  // A control's entry by its table name or its command id; null when none.
  Entry* EntryOf(std::string_view name) const;
  const Entry* EntryOfId(UINT_PTR id) const;
  const FontStyle& StyleOf(const ControlLayout& row) const {
    return row.font != nullptr ? *row.font : layout_.font;
  }
  HFONT FontOf(const ControlLayout& row) const;

  HWND window_;
  const WindowLayout& layout_;
  TForm& form_;
  int dpi_;
  std::vector<Entry> entries_;
  HIMAGELIST images_ = nullptr;
  HICON icons_[2] = {};                             // by ICON_SMALL and ICON_BIG
  std::wstring hint_;                               // the tooltip a tool button asked for last
  HWND statusBar_ = nullptr;                        // the table's, if any
  PanelTexts panelTexts_;                           // the status bar's, which it answers
  ToolTips panelTips_;                              // made for the first text cut
  std::vector<std::pair<int, HFONT>> narrowFonts_;  // by stretch, at the current dpi
};

}  // namespace dorvane::win32
