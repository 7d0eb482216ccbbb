#include "win32/Accessibility.h"

#include "platform/DynamicLibrary.h"

namespace dorvane::win32 {

struct Accessibility::Library {
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

Accessibility::Accessibility() : library_(*new Library) {  // never unloaded: see the header
  using Initialize = HRESULT(WINAPI*)(void*, DWORD);
  if (const auto initialize = library_.ole32.Find<Initialize>("CoInitializeEx")) {
    initialize(nullptr, COINIT_APARTMENTTHREADED);
  }
}

const Accessibility& Accessibility::Loaded() {
  static const Accessibility* const loaded = new Accessibility;
  return *loaded;
}

IAccessible* Accessibility::Standard(HWND window) const {
  void* object = nullptr;
  if (library_.createStandard == nullptr ||
      FAILED(library_.createStandard(window, OBJID_CLIENT, __uuidof(IAccessible), &object))) {
    return nullptr;
  }
  return static_cast<IAccessible*>(object);
}

LRESULT Accessibility::Answer(WPARAM wParam, IAccessible* object) const {
  return library_.lresultFromObject != nullptr
             ? library_.lresultFromObject(__uuidof(IAccessible), wParam, object)
             : 0;
}

HRESULT Accessibility::Text(const std::wstring& text, BSTR* out) const {
  *out = nullptr;
  if (text.empty()) return S_FALSE;
  if (library_.allocString == nullptr) return E_OUTOFMEMORY;
  *out = library_.allocString(text.c_str());
  return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

}  // namespace dorvane::win32
