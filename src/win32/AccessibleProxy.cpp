#include "win32/AccessibleProxy.h"

#include <commctrl.h>
#include <oleacc.h>

#include <atomic>
#include <utility>

#include "forms/Handlers.h"
#include "win32/Accessibility.h"

namespace dorvane::win32 {

namespace {

struct Annotation {
  std::wstring name;
  long role = 0;
};

bool IsSelf(const VARIANT& child) {
  return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// COM interfaces have no virtual destructor: an object deletes itself, in Release, as its own
// class.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

// The system's object with our name and role for itself; everything else is the system's.
class AnnotatedAccessible final : public IAccessible {
 public:
  AnnotatedAccessible(IAccessible* standard, Annotation annotation)
      : standard_(standard), annotation_(std::move(annotation)) {}

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID kind, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(kind, __uuidof(IUnknown)) || IsEqualIID(kind, __uuidof(IDispatch)) ||
        IsEqualIID(kind, __uuidof(IAccessible))) {
      *object = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    // The window and the children's enumeration, as the system gives them.
    return standard_->QueryInterface(kind, object);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    return standard_->GetTypeInfoCount(count);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
    return standard_->GetTypeInfo(index, locale, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID kind, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override {
    return standard_->GetIDsOfNames(kind, names, count, locale, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID kind, LCID locale, WORD flags,
                                   DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                   UINT* wrong) override {
    return standard_->Invoke(id, kind, locale, flags, parameters, result, exception, wrong);
  }

  // IAccessible: our name and role
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (!IsSelf(child) || annotation_.name.empty()) return standard_->get_accName(child, name);
    if (name == nullptr) return E_INVALIDARG;
    return Accessibility::Loaded().Text(annotation_.name, name);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (!IsSelf(child) || annotation_.role == 0) return standard_->get_accRole(child, role);
    if (role == nullptr) return E_INVALIDARG;
    role->vt = VT_I4;
    role->lVal = annotation_.role;
    return S_OK;
  }

  // IAccessible: the system's
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return standard_->get_accParent(parent);
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    return standard_->get_accChildCount(count);
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    return standard_->get_accChild(child, object);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return standard_->get_accValue(child, value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
    return standard_->get_accDescription(child, text);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    return standard_->get_accState(child, state);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* text) override {
    return standard_->get_accHelp(child, text);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
    return standard_->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override {
    return standard_->get_accKeyboardShortcut(child, keys);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
    return standard_->get_accFocus(child);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
    return standard_->get_accSelection(children);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return standard_->get_accDefaultAction(child, action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(long how, VARIANT child) override {
    return standard_->accSelect(how, child);
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                        VARIANT child) override {
    return standard_->accLocation(left, top, width, height, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    return standard_->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
    return standard_->accHitTest(x, y, child);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    return standard_->accDoDefaultAction(child);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
    return standard_->put_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return standard_->put_accValue(child, value);
  }

 private:
  ~AnnotatedAccessible() { standard_->Release(); }

  std::atomic<ULONG> references_{1};
  IAccessible* standard_;
  Annotation annotation_;
};

#pragma GCC diagnostic pop

LRESULT CALLBACK AnnotatedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR data) {
  const auto* annotation = reinterpret_cast<const Annotation*>(data);
  if (message == WM_GETOBJECT) {
    LRESULT answer = 0;
    if (AnswerGetObject(window, wParam, lParam, annotation->name, annotation->role, answer)) {
      return answer;
    }
  } else if (message == WM_NCDESTROY) {
    ::RemoveWindowSubclass(window, AnnotatedProc, 0);
    delete annotation;
  }
  return ::DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

bool AnswerGetObject(HWND window, WPARAM wParam, LPARAM lParam, const std::wstring& name, long role,
                     LRESULT& answer) {
  if (static_cast<DWORD>(lParam) != static_cast<DWORD>(OBJID_CLIENT)) return false;
  bool answered = false;
  RunHandler([&] {
    const Accessibility& services = Accessibility::Loaded();
    IAccessible* standard = services.Standard(window);
    if (standard == nullptr) return;
    auto* annotated = new AnnotatedAccessible(standard, Annotation{name, role});
    answer = services.Answer(wParam, annotated);
    annotated->Release();
    answered = answer > 0;
  });
  return answered;
}

void AnnotateAccessible(HWND window, std::wstring name, long role) {
  auto* annotation = new Annotation{std::move(name), role};
  if (!::SetWindowSubclass(window, AnnotatedProc, 0, reinterpret_cast<DWORD_PTR>(annotation))) {
    delete annotation;
  }
}

}  // namespace dorvane::win32
