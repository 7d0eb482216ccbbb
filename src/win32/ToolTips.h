#pragma once

#include <string>
#include <vector>

#include "win32/Win32.h"

namespace dorvane::win32 {

// A tooltip control for the tools of one window, made when a first tool gets a text (a
// top-level window less for every window whose texts all fit) and destroyed with this object.
class ToolTips {
 public:
  ToolTips() = default;
  ~ToolTips();
  ToolTips(const ToolTips&) = delete;
  ToolTips& operator=(const ToolTips&) = delete;

  // Gives the tool its text; an empty text takes the tool away. A tool is a rectangle of
  // `window` (`place`, with the tool's own `id`) or, without a place, the whole of the child
  // window `id` of `window`. The top-level window of `window` owns the tooltip control, which
  // hears of a tool only when its text or place changes.
  void Set(HWND window, UINT_PTR id, const RECT* place, const std::wstring& text);
  // The tool's text; empty when it has none.
  std::wstring Text(HWND window, UINT_PTR id) const { return Text(control_, window, id); }
  // The same, in any tooltip control.
  static std::wstring Text(HWND control, HWND window, UINT_PTR id);

 private:
  struct Tool {
    HWND window;
    UINT_PTR id;
    RECT place;
    std::wstring text;
  };

  HWND control_ = nullptr;
  std::vector<Tool> given_;  // what the control was last told of each tool
};

}  // namespace dorvane::win32
