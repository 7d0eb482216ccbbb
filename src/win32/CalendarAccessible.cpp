#include "win32/CalendarAccessible.h"

#include <string>

#include "calendar/CalendarTable.h"
#include "forms/Handlers.h"
#include "platform/win32/Wide.h"
#include "win32/Accessibility.h"
#include "win32/ControlWindow.h"

namespace dorvane::win32 {

namespace {

void SetChild(VARIANT* out, LONG id) {
  out->vt = VT_I4;
  out->lVal = id;
}

void SetEmpty(VARIANT* out) {
  out->vt = VT_EMPTY;
}

}  // namespace

CalendarAccessible::CalendarAccessible(ControlWindow& window, TCalendar& calendar)
    : window_(window.Handle()), owner_(&window), calendar_(&calendar) {}

CalendarAccessible::~CalendarAccessible() {
  if (standard_ != nullptr) standard_->Release();
}

void CalendarAccessible::Disconnect() {
  owner_ = nullptr;
  calendar_ = nullptr;
  if (standard_ != nullptr) {
    standard_->Release();
    standard_ = nullptr;
  }
}

IAccessible* CalendarAccessible::Standard() {
  if (standard_ == nullptr && calendar_ != nullptr)
    standard_ = Accessibility::Loaded().Standard(window_);
  return standard_;
}

LONG CalendarAccessible::CurrentChild() const {
  if (calendar_ == nullptr) return CHILDID_SELF;
  const CalendarTable table(*calendar_);
  return table.IndexOf(table.Current()).value_or(-1) + 1;
}

bool CalendarAccessible::Index(const VARIANT& child, int& index) const {
  if (child.vt != VT_I4) return false;
  if (child.lVal == CHILDID_SELF) {
    index = -1;
    return true;
  }
  if (child.lVal < 1 || child.lVal > CalendarTable(*calendar_).Cells()) return false;
  index = static_cast<int>(child.lVal) - 1;
  return true;
}

HRESULT CalendarAccessible::NoSuchMember(const VARIANT& child) const {
  if (calendar_ == nullptr) return CO_E_OBJNOTCONNECTED;
  int index = 0;
  return Index(child, index) ? DISP_E_MEMBERNOTFOUND : E_INVALIDARG;
}

// ---- IUnknown, IDispatch ----

HRESULT CalendarAccessible::QueryInterface(REFIID riid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (riid == __uuidof(IUnknown) || riid == __uuidof(IDispatch) || riid == __uuidof(IAccessible)) {
    *object = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG CalendarAccessible::AddRef() {
  return static_cast<ULONG>(::InterlockedIncrement(&references_));
}

ULONG CalendarAccessible::Release() {
  const LONG left = ::InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT CalendarAccessible::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = 0;
  return S_OK;
}
HRESULT CalendarAccessible::GetTypeInfo(UINT, LCID, ITypeInfo**) {
  return E_NOTIMPL;
}
HRESULT CalendarAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
  return E_NOTIMPL;
}
HRESULT CalendarAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) {
  return E_NOTIMPL;
}

// ---- IAccessible ----

HRESULT CalendarAccessible::get_accParent(IDispatch** parent) {
  if (parent == nullptr) return E_POINTER;
  *parent = nullptr;
  if (calendar_ == nullptr) return CO_E_OBJNOTCONNECTED;
  IAccessible* standard = Standard();
  return standard != nullptr ? standard->get_accParent(parent) : E_FAIL;
}

HRESULT CalendarAccessible::get_accChildCount(long* count) {
  if (count == nullptr) return E_POINTER;
  if (calendar_ == nullptr) return CO_E_OBJNOTCONNECTED;
  *count = CalendarTable(*calendar_).Cells();
  return S_OK;
}

HRESULT CalendarAccessible::get_accChild(VARIANT child, IDispatch** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (calendar_ == nullptr) return CO_E_OBJNOTCONNECTED;
  int index = 0;
  if (!Index(child, index)) return E_INVALIDARG;
  if (index < 0) {
    AddRef();
    *object = this;
    return S_OK;
  }
  return S_FALSE;  // the cells are simple elements of this object
}

HRESULT CalendarAccessible::get_accName(VARIANT child, BSTR* name) {
  if (name == nullptr) return E_POINTER;
  *name = nullptr;
  if (calendar_ == nullptr) return CO_E_OBJNOTCONNECTED;
  int index = 0;
  if (!Index(child, index)) return E_INVALIDARG;
  if (index < 0) {
    wchar_t text[256] = {};
    ::GetWindowTextW(window_, text, static_cast<int>(std::size(text)));
    return Accessibility::Loaded().Text(text, name);
  }
  const CalendarTable table(*calendar_);
  return Accessibility::Loaded().Text(platform::Wide(table.Name(*table.CellAt(index))), name);
}

// The table's value is the selected date, said in full.
HRESULT CalendarAccessible::get_accValue(VARIANT child, BSTR* value) {
  if (value == nullptr) return E_POINTER;
  *value = nullptr;
  if (calendar_ == nullptr) return CO_E_OBJNOTCONNECTED;
  int index = 0;
  if (!Index(child, index)) return E_INVALIDARG;
  if (index >= 0) return DISP_E_MEMBERNOTFOUND;
  return Accessibility::Loaded().Text(platform::Wide(SpokenDate(calendar_->SelectedDate())), value);
}

HRESULT CalendarAccessible::get_accDescription(VARIANT child, BSTR* description) {
  if (description == nullptr) return E_POINTER;
  *description = nullptr;
  return NoSuchMember(child);
}

HRESULT CalendarAccessible::get_accRole(VARIANT child, VARIANT* role) {
  if (role == nullptr) return E_POINTER;
  SetEmpty(role);
  if (calendar_ == nullptr) return CO_E_OBJNOTCONNECTED;
  int index = 0;
  if (!Index(child, index)) return E_INVALIDARG;
  const CalendarTable table(*calendar_);
  SetChild(role, index < 0                              ? ROLE_SYSTEM_TABLE
                 : table.IsHeader(*table.CellAt(index)) ? ROLE_SYSTEM_COLUMNHEADER
                                                        : ROLE_SYSTEM_CELL);
  return S_OK;
}

HRESULT CalendarAccessible::get_accState(VARIANT child, VARIANT* state) {
  if (state == nullptr) return E_POINTER;
  SetEmpty(state);
  if (calendar_ == nullptr) return CO_E_OBJNOTCONNECTED;
  int index = 0;
  if (!Index(child, index)) return E_INVALIDARG;
  if (index < 0) {
    IAccessible* standard = Standard();
    return standard != nullptr ? standard->get_accState(child, state) : E_FAIL;
  }
  const CalendarTable table(*calendar_);
  const TableCell cell = *table.CellAt(index);
  LONG flags = 0;
  if (!::IsWindowVisible(window_)) flags |= STATE_SYSTEM_INVISIBLE;
  if (table.IsHeader(cell)) {
    flags |= STATE_SYSTEM_READONLY;
  } else if (table.IsBlank(cell)) {
    flags |= STATE_SYSTEM_UNAVAILABLE;
  } else {
    flags |= STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
    if (table.IsCurrent(cell)) {
      flags |= STATE_SYSTEM_SELECTED;
      if (::GetFocus() == window_) flags |= STATE_SYSTEM_FOCUSED;
    }
  }
  SetChild(state, flags);
  return S_OK;
}

HRESULT CalendarAccessible::get_accHelp(VARIANT child, BSTR* help) {
  if (help == nullptr) return E_POINTER;
  *help = nullptr;
  return NoSuchMember(child);
}

HRESULT CalendarAccessible::get_accHelpTopic(BSTR* file, VARIANT child, long* topic) {
  if (file == nullptr || topic == nullptr) return E_POINTER;
  *file = nullptr;
  *topic = 0;
  return NoSuchMember(child);
}

HRESULT CalendarAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
  if (shortcut == nullptr) return E_POINTER;
  *shortcut = nullptr;
  return NoSuchMember(child);
}

HRESULT CalendarAccessible::get_accFocus(VARIANT* child) {
  if (child == nullptr) return E_POINTER;
  SetEmpty(child);
  if (calendar_ == nullptr) return CO_E_OBJNOTCONNECTED;
  if (::GetFocus() != window_) return S_FALSE;
  SetChild(child, CurrentChild());
  return S_OK;
}

HRESULT CalendarAccessible::get_accSelection(VARIANT* children) {
  if (children == nullptr) return E_POINTER;
  SetEmpty(children);
  if (calendar_ == nullptr) return CO_E_OBJNOTCONNECTED;
  SetChild(children, CurrentChild());
  return S_OK;
}

HRESULT CalendarAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
  if (action == nullptr) return E_POINTER;
  *action = nullptr;
  return NoSuchMember(child);
}

// A reader may put the focus on the grid and select a day, as a click on it would.
HRESULT CalendarAccessible::accSelect(long flags, VARIANT child) {
  if (calendar_ == nullptr) return CO_E_OBJNOTCONNECTED;
  int index = 0;
  if (!Index(child, index)) return E_INVALIDARG;
  if ((flags & ~(SELFLAG_TAKEFOCUS | SELFLAG_TAKESELECTION | SELFLAG_ADDSELECTION)) != 0)
    return E_INVALIDARG;
  if (flags & SELFLAG_TAKEFOCUS) ::SetFocus(window_);
  if ((flags & (SELFLAG_TAKESELECTION | SELFLAG_ADDSELECTION)) == 0 || index < 0) return S_OK;
  const CalendarTable table(*calendar_);
  const TableCell cell = *table.CellAt(index);
  if (table.IsHeader(cell) || table.IsBlank(cell)) return S_FALSE;
  const GridCoord grid = table.GridCellOf(cell);
  TCalendar& calendar = *calendar_;
  bool done = false;
  RunHandler([&] {
    calendar.FocusCellAt(grid.col, grid.row);
    done = true;
  });
  return done ? S_OK : E_FAIL;
}

HRESULT CalendarAccessible::accLocation(long* left, long* top, long* width, long* height,
                                        VARIANT child) {
  if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) return E_POINTER;
  *left = *top = *width = *height = 0;
  if (calendar_ == nullptr) return CO_E_OBJNOTCONNECTED;
  int index = 0;
  if (!Index(child, index)) return E_INVALIDARG;
  if (index < 0) {
    IAccessible* standard = Standard();
    return standard != nullptr ? standard->accLocation(left, top, width, height, child) : E_FAIL;
  }
  const CalendarTable table(*calendar_);
  const GridCoord grid = table.GridCellOf(*table.CellAt(index));
  const RECT device = ToDevice(calendar_->WindowCellRect(grid.col, grid.row), owner_->Dpi());
  POINT origin{device.left, device.top};
  ::ClientToScreen(window_, &origin);
  *left = origin.x;
  *top = origin.y;
  *width = device.right - device.left;
  *height = device.bottom - device.top;
  return S_OK;
}

HRESULT CalendarAccessible::accNavigate(long direction, VARIANT start, VARIANT* end) {
  if (end == nullptr) return E_POINTER;
  SetEmpty(end);
  if (calendar_ == nullptr) return CO_E_OBJNOTCONNECTED;
  int index = 0;
  if (!Index(start, index)) return E_INVALIDARG;
  const CalendarTable table(*calendar_);
  if (index < 0) {
    if (direction == NAVDIR_FIRSTCHILD || direction == NAVDIR_LASTCHILD) {
      SetChild(end, direction == NAVDIR_FIRSTCHILD ? 1 : table.Cells());
      return S_OK;
    }
    IAccessible* standard = Standard();
    return standard != nullptr ? standard->accNavigate(direction, start, end) : E_FAIL;
  }
  const TableCell cell = *table.CellAt(index);
  std::optional<int> to;
  switch (direction) {
    case NAVDIR_UP:
      to = table.IndexOf({cell.row - 1, cell.column});
      break;
    case NAVDIR_DOWN:
      to = table.IndexOf({cell.row + 1, cell.column});
      break;
    case NAVDIR_LEFT:
      to = table.IndexOf({cell.row, cell.column - 1});
      break;
    case NAVDIR_RIGHT:
      to = table.IndexOf({cell.row, cell.column + 1});
      break;
    case NAVDIR_PREVIOUS:
      if (index > 0) to = index - 1;
      break;
    case NAVDIR_NEXT:
      if (index + 1 < table.Cells()) to = index + 1;
      break;
    case NAVDIR_FIRSTCHILD:
    case NAVDIR_LASTCHILD:
      return S_FALSE;  // a cell has no children
    default:
      return E_INVALIDARG;
  }
  if (!to) return S_FALSE;
  SetChild(end, *to + 1);
  return S_OK;
}

HRESULT CalendarAccessible::accHitTest(long x, long y, VARIANT* child) {
  if (child == nullptr) return E_POINTER;
  SetEmpty(child);
  if (calendar_ == nullptr) return CO_E_OBJNOTCONNECTED;
  POINT at{x, y};
  ::ScreenToClient(window_, &at);
  const RECT client = ClientRect(window_);
  if (!::PtInRect(&client, at)) return S_FALSE;
  const int dpi = owner_->Dpi();
  const int b = calendar_->BorderWidth();
  const CalendarTable table(*calendar_);
  const std::optional<TableCell> cell =
      table.CellOf(calendar_->MouseCoord(PixelToDips(at.x, dpi) - b, PixelToDips(at.y, dpi) - b));
  SetChild(child, cell ? *table.IndexOf(*cell) + 1 : CHILDID_SELF);
  return S_OK;
}

HRESULT CalendarAccessible::accDoDefaultAction(VARIANT child) {
  return NoSuchMember(child);
}

HRESULT CalendarAccessible::put_accName(VARIANT, BSTR) {
  return calendar_ == nullptr ? CO_E_OBJNOTCONNECTED : E_NOTIMPL;
}
HRESULT CalendarAccessible::put_accValue(VARIANT, BSTR) {
  return calendar_ == nullptr ? CO_E_OBJNOTCONNECTED : E_NOTIMPL;
}

}  // namespace dorvane::win32
