#include "win32/AccessibleProxy.h"

#include <commctrl.h>
#include <oleacc.h>

#include <algorithm>
#include <atomic>
#include <optional>
#include <utility>

#include "calendar/CalendarTable.h"
#include "forms/Handlers.h"
#include "platform/DynamicLibrary.h"
#include "platform/win32/Wide.h"
#include "win32/ControlWindow.h"

namespace dorvane::win32 {

namespace {

// Loaded once and never unloaded: see the header.
struct Services {
  Services() {
    using Initialize = HRESULT(WINAPI*)(void*, DWORD);
    if (const auto initialize = ole32.Find<Initialize>("CoInitializeEx")) {
      initialize(nullptr, COINIT_APARTMENTTHREADED);
    }
  }
  static const Services& Loaded() {
    static const Services* const loaded = new Services;
    return *loaded;
  }

  platform::LoadedLibrary ole32{"ole32.dll"};
  platform::LoadedLibrary oleaut32{"oleaut32.dll"};
  platform::LoadedLibrary oleacc{"oleacc.dll"};
  decltype(&::LresultFromObject) lresultFromObject =
      oleacc.Find<decltype(&::LresultFromObject)>("LresultFromObject");
  decltype(&::CreateStdAccessibleObject) createStandard =
      oleacc.Find<decltype(&::CreateStdAccessibleObject)>("CreateStdAccessibleObject");
  decltype(&::SysAllocString) allocString =
      oleaut32.Find<decltype(&::SysAllocString)>("SysAllocString");
};

bool IsSelf(const VARIANT& child) {
  return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

HRESULT Put(VARIANT* out, LONG value) {
  out->vt = VT_I4;
  out->lVal = value;
  return S_OK;
}

// A text for a reader; S_FALSE (no text) for an empty one.
HRESULT Put(BSTR* out, const std::wstring& text) {
  if (text.empty()) return S_FALSE;
  const auto allocate = Services::Loaded().allocString;
  *out = allocate != nullptr ? allocate(text.c_str()) : nullptr;
  return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

// What no cell has: a value, description, help, shortcut or action.
constexpr auto kNoSuchMember = [](TableCell) { return DISP_E_MEMBERNOTFOUND; };

}  // namespace

// COM objects go by Release, never by a delete through the interface, which has no virtual
// destructor.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

// The system's object for a window's client area with our name and role for the window itself
// and, for the calendar, its table of dates.
class AccessibleObject final : public IAccessible {
 public:
  // Takes over the reference to `standard`; holds one reference for the caller.
  AccessibleObject(IAccessible* standard, std::wstring name, long role,
                   ControlWindow* grid = nullptr, TCalendar* calendar = nullptr)
      : standard_(standard),
        name_(std::move(name)),
        role_(role),
        grid_(grid),
        calendar_(calendar) {}

  void Disconnect() {
    standard_->Release();
    standard_ = nullptr;
    grid_ = nullptr;
    calendar_ = nullptr;
  }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID kind, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (IsEqualIID(kind, __uuidof(IUnknown)) || IsEqualIID(kind, __uuidof(IDispatch)) ||
        IsEqualIID(kind, __uuidof(IAccessible))) {
      *object = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    // The window and the children's enumeration as the system gives them, but for the table,
    // whose cells the system does not know.
    if (calendar_ != nullptr || standard_ == nullptr) return E_NOINTERFACE;
    return standard_->QueryInterface(kind, object);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  // IDispatch: no type information; readers call IAccessible's methods directly.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    const HRESULT status = Connected(parent);
    return status != S_OK ? status : standard_->get_accParent(parent);
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    if (const HRESULT status = Connected(count); status != S_OK) return status;
    if (calendar_ == nullptr) return standard_->get_accChildCount(count);
    *count = Table().Cells();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    return Ask(
        child, [&] { return standard_->get_accChild(child, object); },
        [](TableCell) { return S_FALSE; },  // the cells are simple elements of the table
        object);
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    return Ask(
        child,
        [&] {
          if (!IsSelf(child) || name_.empty()) return standard_->get_accName(child, name);
          return Put(name, name_);
        },
        [&](TableCell cell) { return Put(name, platform::Wide(Table().Name(cell))); }, name);
  }
  // The table's value is the selected date, said in full.
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return Ask(
        child,
        [&] {
          if (calendar_ == nullptr) return standard_->get_accValue(child, value);
          return Put(value, platform::Wide(SpokenDate(calendar_->SelectedDate())));
        },
        kNoSuchMember, value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
    return Plain([&] { return standard_->get_accDescription(child, text); }, child, text);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    return Ask(
        child,
        [&] {
          if (!IsSelf(child) || role_ == 0) return standard_->get_accRole(child, role);
          return Put(role, role_);
        },
        [&](TableCell cell) {
          return Put(role, Table().IsHeader(cell) ? ROLE_SYSTEM_COLUMNHEADER : ROLE_SYSTEM_CELL);
        },
        role);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    return Ask(
        child, [&] { return standard_->get_accState(child, state); },
        [&](TableCell cell) {
          const CalendarTable::State is = Table().StateOf(cell, ::GetFocus() == Window());
          LONG flags = ::IsWindowVisible(Window()) ? 0 : STATE_SYSTEM_INVISIBLE;
          if (is.readOnly) flags |= STATE_SYSTEM_READONLY;
          if (is.unavailable) flags |= STATE_SYSTEM_UNAVAILABLE;
          if (is.selectable) flags |= STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
          if (is.selected) flags |= STATE_SYSTEM_SELECTED;
          if (is.focused) flags |= STATE_SYSTEM_FOCUSED;
          return Put(state, flags);
        },
        state);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* text) override {
    return Plain([&] { return standard_->get_accHelp(child, text); }, child, text);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
    return Plain([&] { return standard_->get_accHelpTopic(file, child, topic); }, child, file,
                 topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override {
    return Plain([&] { return standard_->get_accKeyboardShortcut(child, keys); }, child, keys);
  }
  // The table's focus is the current day while the grid has the keyboard's.
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
    if (const HRESULT status = Connected(child); status != S_OK) return status;
    if (calendar_ == nullptr) return standard_->get_accFocus(child);
    return ::GetFocus() == Window() ? Put(child, Table().CurrentIndex() + 1) : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
    if (const HRESULT status = Connected(children); status != S_OK) return status;
    if (calendar_ == nullptr) return standard_->get_accSelection(children);
    return Put(children, Table().CurrentIndex() + 1);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return Plain([&] { return standard_->get_accDefaultAction(child, action); }, child, action);
  }
  // A reader may put the focus on the grid and select a day, as a click on it would.
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
    constexpr long kSelection = SELFLAG_TAKESELECTION | SELFLAG_ADDSELECTION;
    const auto select = [&](std::optional<TableCell> cell) {
      if ((flags & ~(SELFLAG_TAKEFOCUS | kSelection)) != 0) return E_INVALIDARG;
      if (flags & SELFLAG_TAKEFOCUS) ::SetFocus(Window());
      if (!cell || (flags & kSelection) == 0) return S_OK;
      if (!Table().StateOf(*cell, false).selectable) return S_FALSE;
      const GridCoord grid = Table().GridCellOf(*cell);
      TCalendar& calendar = *calendar_;
      bool done = false;
      RunHandler([&] {
        calendar.FocusCellAt(grid.col, grid.row);
        done = true;
      });
      return done ? S_OK : E_FAIL;
    };
    return Ask(
        child,
        [&] {
          return calendar_ != nullptr ? select(std::nullopt) : standard_->accSelect(flags, child);
        },
        select);
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                        VARIANT child) override {
    return Ask(
        child, [&] { return standard_->accLocation(left, top, width, height, child); },
        [&](TableCell cell) {
          const RECT device = ToDevice(Table().WindowRect(cell), grid_->Dpi());
          POINT origin{device.left, device.top};
          ::ClientToScreen(Window(), &origin);
          *left = origin.x;
          *top = origin.y;
          *width = device.right - device.left;
          *height = device.bottom - device.top;
          return S_OK;
        },
        left, top, width, height);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    const bool toChild = direction == NAVDIR_FIRSTCHILD || direction == NAVDIR_LASTCHILD;
    return Ask(
        start,
        [&] {
          if (calendar_ == nullptr || !toChild)
            return standard_->accNavigate(direction, start, end);
          return Put(end, direction == NAVDIR_FIRSTCHILD ? 1 : Table().Cells());
        },
        [&](TableCell cell) {
          using Step = CalendarTable::Step;
          static constexpr std::pair<long, Step> kSteps[] = {
              {NAVDIR_UP, Step::kUp},     {NAVDIR_DOWN, Step::kDown},
              {NAVDIR_LEFT, Step::kLeft}, {NAVDIR_RIGHT, Step::kRight},
              {NAVDIR_NEXT, Step::kNext}, {NAVDIR_PREVIOUS, Step::kPrevious}};
          if (toChild) return S_FALSE;  // a cell has no children
          for (const auto& [navigation, step] : kSteps) {
            if (navigation != direction) continue;
            const std::optional<TableCell> to = Table().Neighbour(cell, step);
            return to ? Put(end, *Table().IndexOf(*to) + 1) : S_FALSE;
          }
          return E_INVALIDARG;
        },
        end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
    if (const HRESULT status = Connected(child); status != S_OK) return status;
    if (calendar_ == nullptr) return standard_->accHitTest(x, y, child);
    POINT at{x, y};
    ::ScreenToClient(Window(), &at);
    const RECT client = ClientRect(Window());
    if (!::PtInRect(&client, at)) return S_FALSE;
    const int dpi = grid_->Dpi();
    const std::optional<TableCell> cell =
        Table().CellAtPoint({PixelToDips(at.x, dpi), PixelToDips(at.y, dpi)});
    return Put(child, cell ? *Table().IndexOf(*cell) + 1 : CHILDID_SELF);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    return Plain([&] { return standard_->accDoDefaultAction(child); }, child);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
    return Plain([&] { return standard_->put_accName(child, name); }, child);
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return Plain([&] { return standard_->put_accValue(child, value); }, child);
  }

 private:
  ~AccessibleObject() {
    if (standard_ != nullptr) standard_->Release();
  }

  HWND Window() const { return grid_->Handle(); }
  CalendarTable Table() const { return CalendarTable(*calendar_); }

  // The outputs emptied; once disconnected, every question fails as a disconnected object's.
  template <class... Out>
  HRESULT Connected(Out*... outs) const {
    if (((outs == nullptr) || ...)) return E_POINTER;
    ((*outs = Out{}), ...);
    return standard_ != nullptr ? S_OK : CO_E_OBJNOTCONNECTED;
  }
  // A question no cell answers, which the system's object answers for the window.
  template <class Self, class... Out>
  HRESULT Plain(Self self, const VARIANT& child, Out*... outs) const {
    return Ask(child, self, kNoSuchMember, outs...);
  }
  // A question about `child`: `self` answers for the window itself and for any child the table
  // does not hold, `cell` for one of the table's cells; an id that names neither is refused.
  template <class Self, class Cell, class... Out>
  HRESULT Ask(const VARIANT& child, Self self, Cell cell, Out*... outs) const {
    if (const HRESULT status = Connected(outs...); status != S_OK) return status;
    if (calendar_ == nullptr || IsSelf(child)) return self();
    if (child.vt != VT_I4 || child.lVal < 1 || child.lVal > Table().Cells()) return E_INVALIDARG;
    return cell(*Table().CellAt(static_cast<int>(child.lVal) - 1));
  }

  std::atomic<ULONG> references_{1};
  IAccessible* standard_;  // null once disconnected
  std::wstring name_;
  long role_;
  ControlWindow* grid_;  // the calendar's window and calendar; null for any other
  TCalendar* calendar_;
};

#pragma GCC diagnostic pop

namespace {

// The answer to WM_GETOBJECT for the window's client area: `object`, made at the first question
// around the system's object for the window; 0 for another object, or when the system cannot
// give one.
template <class Make>
LRESULT Answer(HWND window, WPARAM wParam, LPARAM lParam, AccessibleObject*& object, Make make) {
  if (static_cast<DWORD>(lParam) != static_cast<DWORD>(OBJID_CLIENT)) return 0;
  const Services& services = Services::Loaded();
  void* standard = nullptr;
  if (object == nullptr && services.createStandard != nullptr &&
      SUCCEEDED(services.createStandard(window, OBJID_CLIENT, __uuidof(IAccessible), &standard))) {
    object = make(static_cast<IAccessible*>(standard));
  }
  if (object == nullptr || services.lresultFromObject == nullptr) return 0;
  return std::max<LRESULT>(services.lresultFromObject(__uuidof(IAccessible), wParam, object), 0);
}

// The same with an object of its own for this question, which the reader then holds alone.
LRESULT AnswerOnce(HWND window, WPARAM wParam, LPARAM lParam, const std::wstring& name, long role) {
  LRESULT answer = 0;
  RunHandler([&] {
    AccessibleObject* object = nullptr;
    answer = Answer(window, wParam, lParam, object, [&](IAccessible* standard) {
      return new AccessibleObject(standard, name, role);
    });
    if (object != nullptr) object->Release();
  });
  return answer;
}

LRESULT CALLBACK AnnotatedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR data) {
  const auto* name = reinterpret_cast<const std::wstring*>(data);
  if (message == WM_GETOBJECT) {
    if (const LRESULT answer = AnswerOnce(window, wParam, lParam, *name, 0)) return answer;
  } else if (message == WM_NCDESTROY) {
    ::RemoveWindowSubclass(window, AnnotatedProc, 0);
    delete name;
  }
  return ::DefSubclassProc(window, message, wParam, lParam);
}

LRESULT OrDefault(LRESULT answer, HWND window, WPARAM wParam, LPARAM lParam) {
  return answer != 0 ? answer : ::DefWindowProcW(window, WM_GETOBJECT, wParam, lParam);
}

}  // namespace

LRESULT AnswerGetObject(HWND window, WPARAM wParam, LPARAM lParam, long role) {
  return OrDefault(AnswerOnce(window, wParam, lParam, {}, role), window, wParam, lParam);
}

void AnnotateAccessible(HWND window, std::wstring name) {
  auto* kept = new std::wstring(std::move(name));
  if (!::SetWindowSubclass(window, AnnotatedProc, 0, reinterpret_cast<DWORD_PTR>(kept))) {
    delete kept;
  }
}

void Disconnection::operator()(AccessibleObject* object) const {
  object->Disconnect();
  object->Release();
}

LRESULT AnswerGetObject(ControlWindow& grid, TCalendar& calendar, CalendarAccessible& kept,
                        WPARAM wParam, LPARAM lParam) {
  AccessibleObject* object = kept.get();
  const LRESULT answer = Answer(grid.Handle(), wParam, lParam, object, [&](IAccessible* standard) {
    kept.reset(new AccessibleObject(standard, {}, ROLE_SYSTEM_TABLE, &grid, &calendar));
    return kept.get();
  });
  return OrDefault(answer, grid.Handle(), wParam, lParam);
}

}  // namespace dorvane::win32
