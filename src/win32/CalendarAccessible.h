#pragma once
// The calendar window as screen readers read it through MSAA: the object it answers
// WM_GETOBJECT (OBJID_CLIENT) with, a table of dates whose cells are its simple children
// (child ids 1 and up: the day names, then the days row by row, as CalendarTable numbers
// them). oleacc, oleaut32 and COM are loaded at the first question, never with the program.

#include "win32/Win32.h"

#include <oleacc.h>

#include "calendar/Calendar.h"

namespace dorvane::win32 {

class ControlWindow;

// COM objects go by Release, never by a delete through the interface, which has no virtual
// destructor.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class CalendarAccessible final : public IAccessible {
 public:
  // Holds one reference for the caller.
  CalendarAccessible(ControlWindow& window, TCalendar& calendar);
  // The window is going: from now on every question fails as a disconnected object's, while
  // the readers that hold the object let it go.
  void Disconnect();

  // The child id of the current cell.
  LONG CurrentChild() const;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  // IDispatch: no type information; readers call IAccessible's methods directly.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override;
  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                        VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override;
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

 private:
  ~CalendarAccessible();

  // The cell index of a child id: -1 for the object itself, none (E_INVALIDARG) for an id
  // that names nothing.
  bool Index(const VARIANT& child, int& index) const;
  // The answer for what neither the grid nor its cells have (help, description, shortcut,
  // action).
  HRESULT NoSuchMember(const VARIANT& child) const;
  // The system's object for the window's client area, for what the window itself answers
  // (parent, place, focus); made at its first use.
  IAccessible* Standard();

  LONG references_ = 1;
  HWND window_;
  ControlWindow* owner_;
  TCalendar* calendar_;
  IAccessible* standard_ = nullptr;
};
#pragma GCC diagnostic pop

}  // namespace dorvane::win32
