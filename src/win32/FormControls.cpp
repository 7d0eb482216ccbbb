#include "win32/FormControls.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "forms/Handlers.h"
#include "gfx/TextFlags.h"
#include "platform/win32/Wide.h"
#include "win32/AccessibleProxy.h"
#include "win32/ControlWindows.h"
#include "win32/Dpi.h"
#include "win32/FilteredEdit.h"
#include "win32/GdiCanvas.h"
#include "win32/Pictures.h"
#include "win32/ToolBar.h"

namespace dorvane::win32 {

namespace {

// Command and timer ids: a control's is its row's index above kFirstControlId, a menu item's
// its row's above kFirstMenuId, a tool button's its row's above kFirstToolId. The dialog
// manager's own commands (IDOK, IDCANCEL) lie below them all and reach no handler.
constexpr int kFirstControlId = 100;
constexpr int kFirstMenuId = 1000;
constexpr int kFirstToolId = 2000;

bool IsOwnControl(ControlKind kind) {
  return kind == ControlKind::kCalendar || kind == ControlKind::kRxLabel ||
         kind == ControlKind::kLine;
}

// The command id of the named menu item; 0 when the table has none of that name.
UINT MenuId(const WindowLayout& layout, std::string_view item) {
  for (std::size_t i = 0; i < layout.menu.size(); ++i) {
    if (layout.menu[i].name == item) return static_cast<UINT>(kFirstMenuId + i);
  }
  return 0;
}

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace

FormControls::FormControls(HWND window, const WindowLayout& layout, TForm& form)
    : window_(window), layout_(layout), form_(form), dpi_(LayoutDpi(window)) {
  const auto instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(window, GWLP_HINSTANCE));
  RegisterControlClasses(instance);
  SetIcons();
  entries_.reserve(layout.controls.size());
  for (const ControlLayout& row : layout.controls) entries_.push_back(Entry{&row});
  // Later rows lie above earlier ones. A new child window goes below its siblings, so the rows
  // are made last first, which puts them in that order without moving any; the tool bar, a
  // child of its band, comes after the band.
  for (std::size_t i = entries_.size(); i-- > 0;) {
    if (entries_[i].row->kind != ControlKind::kToolBar) Create(entries_[i], static_cast<int>(i));
  }
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].row->kind == ControlKind::kToolBar) Create(entries_[i], static_cast<int>(i));
  }
  // The dialog manager follows the windows' order: the stops are put in the chain's order,
  // above the rest.
  HWND after = HWND_TOP;
  for (const ControlLayout* row : TabChain(layout_)) {
    if (const HWND stop = Find(row->name)) {
      ::SetWindowPos(stop, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      after = stop;
    }
  }
}

FormControls::~FormControls() {
  for (Entry& entry : entries_) {
    if (entry.timer != 0) ::KillTimer(window_, entry.timer);
    if (entry.picture != nullptr) ::DeleteObject(entry.picture);
    if (entry.icon != nullptr) ::DestroyIcon(entry.icon);
  }
  if (images_ != nullptr) ::ImageList_Destroy(images_);
  for (const auto& [stretch, font] : narrowFonts_) ::DeleteObject(font);
  for (HICON icon : icons_) ::DestroyIcon(icon);
}

void FormControls::SetIcons() {
  for (const WPARAM which : {ICON_SMALL, ICON_BIG}) {
    const int size = SystemMetric(which == ICON_BIG ? SM_CXICON : SM_CXSMICON, dpi_);
    HICON old = std::exchange(icons_[which], LoadWindowIcon(layout_.icon, size));
    ::SendMessageW(window_, WM_SETICON, which, reinterpret_cast<LPARAM>(icons_[which]));
    ::DestroyIcon(old);  // once the window holds the new one; a null one is refused, harmlessly
  }
}

Rect FormControls::LayoutRect(const ControlLayout& row) const {
  Rect r{row.left, row.top, row.left + std::max(row.width, 0), row.top + std::max(row.height, 0)};
  // A row inside a control of the window (a group box, a picture) is placed by that control's
  // offset; the tool bar alone is a child of its band.
  if (row.kind == ControlKind::kToolBar) return r;
  const ControlLayout* p = &row;
  while ((p = FindControl(layout_, p->parent)) != nullptr) OffsetRect(r, p->left, p->top);
  return r;
}

HFONT FormControls::FontOf(const ControlLayout& row) const {
  return FontHandle(ToFont(StyleOf(row)), dpi_);
}

void FormControls::Create(Entry& entry, int index) {
  const ControlLayout& row = *entry.row;
  const int id = kFirstControlId + index;
  const RECT bounds = ToDevice(LayoutRect(row), dpi_);
  const std::wstring text = platform::Wide(row.text);
  const auto instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(window_, GWLP_HINSTANCE));
  const auto make = [&](DWORD exStyle, const wchar_t* windowClass, const wchar_t* caption,
                        DWORD style, HWND parent = nullptr) {
    return ::CreateWindowExW(exStyle, windowClass, caption,
                             WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, bounds.left,
                             bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                             parent != nullptr ? parent : window_,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  };
  HWND control = nullptr;
  switch (row.kind) {
    case ControlKind::kControlBar:
    case ControlKind::kPicture:
      control = make(0, L"STATIC", L"", SS_OWNERDRAW);  // drawn in DrawItem
      break;
    case ControlKind::kToolBar:  // a child of its band
      control =
          make(0, TOOLBARCLASSNAMEW, L"",
               TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER,
               Find(row.parent));
      images_ = BuildToolBar(control, window_, layout_, kFirstToolId, dpi_);
      break;
    case ControlKind::kStatusBar:
      control = statusBar_ = make(0, STATUSCLASSNAMEW, L"", CCS_NOPARENTALIGN | CCS_NORESIZE);
      if (control == nullptr) break;
      AnswerPanelTexts(control, panelTexts_);
      SetStatusParts();
      // Every panel is drawn by the window (DrawPanel), which sets a text a little too wide a
      // little narrower; a new text then only repaints its panel. The bar tells the texts kept
      // here to whoever asks.
      for (std::size_t i = 0; i < layout_.panels.size(); ++i) {
        panelTexts_.push_back(platform::Wide(layout_.panels[i].text));
        ::SendMessageW(control, SB_SETTEXTW, i | SBT_OWNERDRAW, static_cast<LPARAM>(i));
      }
      break;
    case ControlKind::kGroupBox:
      control = make(0, L"BUTTON", text.c_str(), BS_GROUPBOX);
      break;
    case ControlKind::kRxLabel:
      control = CreateRxLabelWindow(window_, id, row, ToFont(StyleOf(row)), bounds, dpi_);
      break;
    case ControlKind::kCalendar:
      control = CreateCalendarWindow(window_, id, row, ToFont(StyleOf(row)), bounds, dpi_);
      if (const Handler handler = row.onEvent) {
        // The grid calls out synchronously from its own operations, which run inside a
        // handler already: its failures go the same way as that handler's.
        CalendarOf(control).OnChange = [this, handler](TCalendar&) { (form_.*handler)(); };
      }
      break;
    case ControlKind::kLabel:
      control = make(0, L"STATIC", text.c_str(), SS_LEFT | SS_NOPREFIX);
      break;
    case ControlKind::kEdit:
      control = make(WS_EX_CLIENTEDGE, L"EDIT", L"", ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP);
      if (row.maxLength > 0) ::SendMessageW(control, EM_LIMITTEXT, row.maxLength, 0);
      if (row.keyFilter != nullptr) FilterKeys(control, row.keyFilter);
      if (control != nullptr && !row.accessibleName.empty()) {
        AnnotateAccessible(control, platform::Wide(row.accessibleName));
      }
      break;
    case ControlKind::kButton:
      control = make(0, L"BUTTON", text.c_str(), BS_PUSHBUTTON | WS_TABSTOP);
      break;
    case ControlKind::kLine:
      control = CreateLineWindow(window_, id, row, bounds, dpi_);
      break;
    case ControlKind::kTimer:
      return;  // started by StartTimer
  }
  if (control == nullptr) return;
  ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(row)), FALSE);
  entry.window = control;
  if (row.kind == ControlKind::kPicture) LoadPictureOf(entry);
  if (row.kind == ControlKind::kLabel) FitToText(entry);
}

void FormControls::LoadPictureOf(Entry& entry) {
  if (entry.picture != nullptr) ::DeleteObject(entry.picture);
  entry.picture = entry.row->text.empty() ? nullptr : LoadPicture(entry.row->text, dpi_);
  if (entry.picture == nullptr) return;
  BITMAP size{};
  ::GetObjectW(entry.picture, sizeof size, &size);
  if (entry.row->width == kAutoSize) {
    ::SetWindowPos(entry.window, nullptr, 0, 0, size.bmWidth, std::abs(size.bmHeight),
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  // A picture of another size than its control's is rendered again at the control's scale
  // (the logo at twice its own size), never stretched.
  const int width = ToDevice(entry.row->width, dpi_);
  if (size.bmWidth > 0 && size.bmWidth != width) {
    if (HBITMAP fitted = LoadPicture(entry.row->text, ::MulDiv(dpi_, width, size.bmWidth))) {
      ::DeleteObject(entry.picture);
      entry.picture = fitted;
    }
  }
}

void FormControls::FitToText(Entry& entry) {
  const ControlLayout& row = *entry.row;
  HDC dc = ::GetDC(entry.window);
  HGDIOBJ old = ::SelectObject(dc, FontOf(*entry.row));
  const std::wstring text = WindowText(entry.window);
  SIZE extent{};
  ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(dc, &metrics);
  ::SelectObject(dc, old);
  ::ReleaseDC(entry.window, dc);
  const auto device = [&](int size) { return size == kAutoSize ? size : ToDevice(size, dpi_); };
  const int width = LabelExtent(device(row.width), extent.cx);
  const int height = LabelExtent(device(row.height), metrics.tmHeight);
  ::SetWindowPos(entry.window, nullptr, 0, 0, width, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::InvalidateRect(entry.window, nullptr, TRUE);
}

void FormControls::SetStatusParts() {
  std::vector<int> rights;
  int right = 0;
  for (const StatusPanelLayout& panel : layout_.panels) {
    right += ToDevice(panel.width, dpi_);
    rights.push_back(right);
  }
  // The last panel takes the rest of the bar.
  if (!rights.empty()) rights.back() = -1;
  ::SendMessageW(statusBar_, SB_SETPARTS, rights.size(), reinterpret_cast<LPARAM>(rights.data()));
}

HMENU FormControls::MakeMenu(const WindowLayout& layout) {
  if (layout.menu.empty()) return nullptr;
  HMENU bar = ::CreateMenu();
  for (const MenuLayout& tree : MenuTree(layout)) {
    HMENU menu = ::CreatePopupMenu();
    ::AppendMenuW(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(menu),
                  platform::Wide(layout.menu[tree.row].caption).c_str());
    for (const std::size_t i : tree.items) {
      const MenuItemLayout& row = layout.menu[i];
      if (row.caption == kMenuSeparator) {
        ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
      } else {
        ::AppendMenuW(menu, MF_STRING, kFirstMenuId + i, platform::Wide(row.caption).c_str());
      }
    }
  }
  return bar;
}

void FormControls::SetMenuChecked(std::string_view item, bool checked) {
  if (const UINT id = MenuId(layout_, item)) {
    ::CheckMenuItem(::GetMenu(window_), id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
  }
}

bool FormControls::MenuChecked(std::string_view item) const {
  const UINT id = MenuId(layout_, item);
  return id != 0 && (::GetMenuState(::GetMenu(window_), id, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

FormControls::Entry* FormControls::EntryOf(std::string_view name) const {
  const auto found = std::find_if(entries_.begin(), entries_.end(),
                                  [&](const Entry& e) { return e.row->name == name; });
  return found != entries_.end() ? const_cast<Entry*>(&*found) : nullptr;
}

HWND FormControls::Find(std::string_view name) const {
  const Entry* entry = EntryOf(name);
  return entry != nullptr ? entry->window : nullptr;
}

RECT FormControls::Bounds(std::string_view name) const {
  RECT bounds{};
  if (HWND control = Find(name)) {
    ::GetWindowRect(control, &bounds);
    ::MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&bounds), 2);
  }
  return bounds;
}

void FormControls::SetText(std::string_view control, std::string_view text) {
  Entry* entry = EntryOf(control);
  if (entry == nullptr || entry->window == nullptr) return;
  if (entry->row->kind == ControlKind::kRxLabel) {
    RxLabelOf(entry->window).SetCaption(std::string(text));
    return;
  }
  ::SetWindowTextW(entry->window, platform::Wide(text).c_str());
  if (entry->row->kind == ControlKind::kLabel) FitToText(*entry);
}

std::string FormControls::Text(std::string_view control) const {
  const Entry* entry = EntryOf(control);
  if (entry == nullptr || entry->window == nullptr) return {};
  if (entry->row->kind == ControlKind::kRxLabel) return RxLabelOf(entry->window).Caption();
  return platform::Utf8(WindowText(entry->window));
}

void FormControls::SetFocus(std::string_view control) {
  if (HWND window = Find(control)) ::SetFocus(window);
}

void FormControls::SetPanelText(int panel, std::string_view text) {
  const auto index = static_cast<std::size_t>(panel);
  // An unchanged text repaints nothing.
  std::wstring wide = platform::Wide(text);
  if (statusBar_ == nullptr || index >= panelTexts_.size() || panelTexts_[index] == wide) return;
  panelTexts_[index] = std::move(wide);
  // Repainted with the window's next paint, as the other controls are (a SB_SETTEXT may have
  // the bar paint at once, for each panel).
  RECT place{};
  if (::SendMessageW(statusBar_, SB_GETRECT, index, reinterpret_cast<LPARAM>(&place))) {
    ::InvalidateRect(statusBar_, &place, FALSE);
  }
  // The panel's new name, told to screen readers as a bar tells a new text of its own.
  ::NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, statusBar_, OBJID_CLIENT, panel + 1);
}

std::string FormControls::PanelText(int panel) const {
  const auto index = static_cast<std::size_t>(panel);
  return index < panelTexts_.size() ? platform::Utf8(panelTexts_[index]) : std::string();
}

HFONT FormControls::NarrowFont(HDC dc, const ControlLayout& row, int stretch) {
  HFONT base = FontOf(row);
  if (stretch == 100) return base;
  for (const auto& [key, font] : narrowFonts_) {
    if (key == stretch) return font;
  }
  LOGFONTW description{};
  ::GetObjectW(base, sizeof description, &description);
  HGDIOBJ old = ::SelectObject(dc, base);
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(dc, &metrics);
  ::SelectObject(dc, old);
  description.lfWidth = ::MulDiv(metrics.tmAveCharWidth, stretch, 100);
  return narrowFonts_.emplace_back(stretch, ::CreateFontIndirectW(&description)).second;
}

std::wstring FormControls::PanelTip(int panel) const {
  return panelTips_.Text(statusBar_, static_cast<UINT_PTR>(panel));
}

void FormControls::DrawPanel(const Entry& bar, const DRAWITEMSTRUCT& item) {
  const auto panel = static_cast<std::size_t>(item.itemID);
  if (panel >= panelTexts_.size()) return;
  const std::wstring& text = panelTexts_[panel];
  RECT place = item.rcItem;
  place.left += ToDevice(2, dpi_);
  // A text a little wider than its panel is set a little narrower; one that fits none of the
  // stretches is shown at its own width, cut, and whole in the panel's tooltip.
  HDC dc = item.hDC;
  const std::optional<int> stretch = PanelTextStretch(place.right - place.left, [&](int at) {
    HGDIOBJ old = ::SelectObject(dc, NarrowFont(dc, *bar.row, at));
    SIZE extent{};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    ::SelectObject(dc, old);
    return static_cast<int>(extent.cx);
  });
  // The tooltip tells a text cut.
  panelTips_.Set(bar.window, panel, &item.rcItem, stretch ? std::wstring() : text);
  HGDIOBJ old = ::SelectObject(dc, NarrowFont(dc, *bar.row, stretch.value_or(100)));
  // A visual style may keep its own light face in high contrast (Wine's does): the text then
  // stands on the scheme's face.
  if (SystemHighContrast()) ::FillRect(dc, &item.rcItem, ::GetSysColorBrush(COLOR_BTNFACE));
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &place,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  ::SelectObject(dc, old);
}

bool FormControls::StartTimer(std::string_view timer, int milliseconds) {
  Entry* entry = EntryOf(timer);
  if (entry == nullptr || entry->row->kind != ControlKind::kTimer) return false;
  // A timer's id is its row's, as a control's is.
  entry->timer = ::SetTimer(window_, kFirstControlId + (entry - entries_.data()),
                            static_cast<UINT>(milliseconds), nullptr);
  return entry->timer != 0;
}

void FormControls::ShowIcon(std::string_view control, HICON icon, int size) {
  Entry* entry = EntryOf(control);
  if (entry == nullptr) {
    if (icon != nullptr) ::DestroyIcon(icon);
    return;
  }
  if (entry->icon != nullptr) ::DestroyIcon(entry->icon);
  entry->icon = icon;
  entry->iconSize = size;
  ::InvalidateRect(entry->window, nullptr, TRUE);
}

bool FormControls::Command(WPARAM wParam) {
  const std::size_t id = LOWORD(wParam);
  const auto ran = [&](std::size_t first, const auto& rows) {
    if (id - first >= rows.size()) return false;
    RunOn(form_, rows[id - first].onClick);
    return true;
  };
  if (ran(kFirstToolId, layout_.toolButtons) || ran(kFirstMenuId, layout_.menu)) return true;
  const Entry* entry = EntryOfId(id);
  if (entry != nullptr && entry->row->kind == ControlKind::kButton &&
      HIWORD(wParam) == BN_CLICKED) {
    RunOn(form_, entry->row->onEvent);
  }
  return entry != nullptr;
}

bool FormControls::Timer(WPARAM id) {
  const Entry* entry = EntryOfId(id);
  if (entry == nullptr || entry->timer != id) return false;
  RunOn(form_, entry->row->onEvent);
  return true;
}

const FormControls::Entry* FormControls::EntryOfId(UINT_PTR id) const {
  const UINT_PTR index = id - kFirstControlId;
  return id >= kFirstControlId && index < entries_.size() ? &entries_[index] : nullptr;
}

bool FormControls::Notify(LPARAM lParam) {
  auto* tip = reinterpret_cast<NMTTDISPINFOW*>(lParam);
  const std::size_t index = tip->hdr.idFrom - kFirstToolId;
  if (tip->hdr.code != TTN_GETDISPINFOW || index >= layout_.toolButtons.size()) return false;
  hint_ = platform::Wide(layout_.toolButtons[index].hint);
  tip->lpszText = hint_.data();
  tip->hinst = nullptr;
  return true;
}

bool FormControls::DrawItem(LPARAM lParam) {
  const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
  const Entry* found = EntryOfId(item->CtlID);
  if (found == nullptr || found->window != item->hwndItem) return false;
  if (found->row->kind == ControlKind::kStatusBar) {
    DrawPanel(*found, *item);
    return true;
  }
  HDC dc = item->hDC;
  if (found->row->kind == ControlKind::kControlBar) {
    // The band's gripper: two raised ridges at its left edge, no bevel.
    ::FillRect(dc, &item->rcItem, ::GetSysColorBrush(COLOR_BTNFACE));
    for (const int x : {ToDevice(3, dpi_), ToDevice(6, dpi_)}) {
      RECT ridge{x, ToDevice(3, dpi_), x + 2, item->rcItem.bottom - ToDevice(3, dpi_)};
      ::DrawEdge(dc, &ridge, BDR_RAISEDINNER, BF_RECT);
    }
    return true;
  }
  if (found->row->kind != ControlKind::kPicture) return false;
  // What lies beneath: the picture the control stands on, or the window's face.
  const Entry* below = EntryOf(found->row->parent);
  HDC source = ::CreateCompatibleDC(dc);
  if (below != nullptr && below->picture != nullptr) {
    const RECT mine = Bounds(found->row->name);
    const RECT theirs = Bounds(below->row->name);
    HGDIOBJ old = ::SelectObject(source, below->picture);
    ::BitBlt(dc, 0, 0, mine.right - mine.left, mine.bottom - mine.top, source,
             mine.left - theirs.left, mine.top - theirs.top, SRCCOPY);
    ::SelectObject(source, old);
  } else {
    ::FillRect(dc, &item->rcItem, ::GetSysColorBrush(COLOR_BTNFACE));
  }
  if (found->picture != nullptr) {
    BITMAP size{};
    ::GetObjectW(found->picture, sizeof size, &size);
    HGDIOBJ old = ::SelectObject(source, found->picture);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    const bool fixed = found->row->width != kAutoSize;
    const RECT& place = item->rcItem;
    ::GdiAlphaBlend(dc, 0, 0, fixed ? place.right - place.left : size.bmWidth,
                    fixed ? place.bottom - place.top : std::abs(size.bmHeight), source, 0, 0,
                    size.bmWidth, std::abs(size.bmHeight), blend);
    // Widened beyond its picture (the About dialog's banner): the last column carried on.
    if (!fixed && place.right - place.left > size.bmWidth && size.bmWidth > 0) {
      ::GdiAlphaBlend(dc, size.bmWidth, 0, place.right - place.left - size.bmWidth,
                      std::abs(size.bmHeight), source, size.bmWidth - 1, 0, 1,
                      std::abs(size.bmHeight), blend);
    }
    ::SelectObject(source, old);
  }
  ::DeleteDC(source);
  if (found->icon != nullptr) {
    const int size = ToDevice(found->iconSize, dpi_);
    ::DrawIconEx(dc, 0, 0, found->icon, size, size, 0, nullptr, DI_NORMAL);
  }
  return true;
}

HBRUSH FormControls::ColorStatic(HDC dc, HWND control) {
  const Entry* found = EntryOfId(::GetDlgCtrlID(control));
  if (found == nullptr || found->window != control) return nullptr;
  ::SetTextColor(dc, ColorRef(ShownColor(StyleOf(*found->row).color, SystemHighContrast())));
  ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
  return ::GetSysColorBrush(COLOR_BTNFACE);
}

void FormControls::ChangeDpi(int dpi) {
  const int old = dpi_;
  if (dpi == old) return;
  dpi_ = dpi;
  for (const auto& [stretch, font] : narrowFonts_) ::DeleteObject(font);
  narrowFonts_.clear();
  for (Entry& entry : entries_) {
    if (entry.window == nullptr) continue;
    // Every rectangle, the self-sized ones included, at the new scale.
    RECT r{};
    ::GetWindowRect(entry.window, &r);
    ::MapWindowPoints(nullptr, ::GetParent(entry.window), reinterpret_cast<POINT*>(&r), 2);
    r = ToDevice(ToDips(r, old), dpi);
    ::SetWindowPos(entry.window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    if (IsOwnControl(entry.row->kind)) {
      SetControlDpi(entry.window, dpi);
      continue;
    }
    ::SendMessageW(entry.window, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(*entry.row)), TRUE);
    const ControlKind kind = entry.row->kind;
    if (kind == ControlKind::kPicture) LoadPictureOf(entry);
    if (kind == ControlKind::kLabel) FitToText(entry);
    if (kind == ControlKind::kToolBar) ScaleToolBar(entry.window, layout_, dpi, images_);
    if (kind == ControlKind::kStatusBar) SetStatusParts();
    ::InvalidateRect(entry.window, nullptr, TRUE);
  }
  SetIcons();
}

void FormControls::ChangeColors(UINT message, WPARAM wParam, LPARAM lParam) {
  for (const Entry& entry : entries_) {
    if (entry.window == nullptr || IsOwnControl(entry.row->kind)) continue;
    if (entry.row->kind == ControlKind::kToolBar)
      ScaleToolBar(entry.window, layout_, dpi_, images_);
    ::SendMessageW(entry.window, message, wParam, lParam);
  }
}

}  // namespace dorvane::win32
