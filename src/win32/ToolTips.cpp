#include "win32/ToolTips.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>

namespace dorvane::win32 {

ToolTips::~ToolTips() {
  if (control_ != nullptr && ::IsWindow(control_)) ::DestroyWindow(control_);
}

void ToolTips::Set(HWND window, UINT_PTR id, const RECT* place, const std::wstring& text) {
  const RECT where = place != nullptr ? *place : RECT{};
  auto given = std::find_if(given_.begin(), given_.end(),
                            [&](const Tool& t) { return t.window == window && t.id == id; });
  if (given == given_.end()) given = given_.insert(given_.end(), {window, id, {}, {}});
  if (given->text == text && ::EqualRect(&given->place, &where)) return;
  given->text = text;
  given->place = where;
  if (control_ == nullptr) {
    if (text.empty()) return;
    control_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                 WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                 ::GetAncestor(window, GA_ROOT), nullptr, nullptr, nullptr);
    if (control_ == nullptr) return;
  }
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = window;
  tool.uId = id;
  tool.uFlags = place != nullptr ? 0 : TTF_IDISHWND;
  ::SendMessageW(control_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  if (text.empty()) return;
  tool.uFlags |= TTF_SUBCLASS;
  if (place != nullptr) tool.rect = *place;
  tool.lpszText = const_cast<wchar_t*>(text.c_str());
  ::SendMessageW(control_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

std::wstring ToolTips::Text(HWND control, HWND window, UINT_PTR id) {
  if (control == nullptr) return {};
  wchar_t text[512] = {};
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = window;
  tool.uId = id;
  tool.lpszText = text;
  ::SendMessageW(control, TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&tool));
  return text;
}

}  // namespace dorvane::win32
