#include "win32/ToolBar.h"

#include <cstdint>
#include <cstdlib>
#include <limits>
#include <span>
#include <string>
#include <vector>

#include "gfx/HighContrast.h"
#include "platform/win32/Wide.h"
#include "win32/Dpi.h"
#include "win32/GdiCanvas.h"
#include "win32/Pictures.h"

namespace dorvane::win32 {

namespace {

// In high contrast, the picture's variant that holds on the button face.
void HoldOnFace(HBITMAP picture) {
  DIBSECTION section{};
  if (::GetObjectW(picture, sizeof section, &section) != sizeof section ||
      section.dsBm.bmBits == nullptr ||
      section.dsBm.bmBitsPixel != std::numeric_limits<std::uint32_t>::digits) {
    return;
  }
  const auto count = static_cast<std::size_t>(section.dsBm.bmWidth) *
                     static_cast<std::size_t>(std::abs(section.dsBm.bmHeight));
  HoldContrast(std::span(static_cast<std::uint32_t*>(section.dsBm.bmBits), count),
               ::GetSysColor(COLOR_BTNFACE) & 0x00FFFFFFu,
               ::GetSysColor(COLOR_BTNTEXT) & 0x00FFFFFFu);
}

// The tool bar's images at `dpi`, for the system's current colours, in place of `images`.
void SetImages(HWND toolBar, const WindowLayout& layout, int dpi, HIMAGELIST& images) {
  const int size = ToDevice(kToolImageSize, dpi);
  const bool highContrast = SystemHighContrast();
  HIMAGELIST made =
      ::ImageList_Create(size, size, ILC_COLOR32, static_cast<int>(layout.images.size()), 0);
  // A name without a picture leaves its place empty, the later images keeping their indices.
  ::ImageList_SetImageCount(made, static_cast<UINT>(layout.images.size()));
  for (std::size_t i = 0; i < layout.images.size(); ++i) {
    if (HBITMAP picture = LoadPicture(layout.images[i], dpi)) {
      if (highContrast) HoldOnFace(picture);
      ::ImageList_Replace(made, static_cast<int>(i), picture, nullptr);
      ::DeleteObject(picture);
    }
  }
  ::SendMessageW(toolBar, TB_SETBITMAPSIZE, 0, MAKELPARAM(size, size));
  ::SendMessageW(toolBar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(made));
  ::SendMessageW(toolBar, TB_SETBUTTONSIZE, 0,
                 MAKELPARAM(ToDevice(kToolButtonWidth, dpi), ToDevice(kToolButtonHeight, dpi)));
  if (images != nullptr) ::ImageList_Destroy(images);
  images = made;
}

}  // namespace

HIMAGELIST BuildToolBar(HWND toolBar, HWND commandsTo, const WindowLayout& layout, int firstId,
                        int dpi) {
  ::SendMessageW(toolBar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  // Its buttons' commands and tooltip requests come to the window itself.
  ::SendMessageW(toolBar, TB_SETPARENT, reinterpret_cast<WPARAM>(commandsTo), 0);
  HIMAGELIST images = nullptr;
  SetImages(toolBar, layout, dpi, images);
  // Each button's text is its spoken name, never shown: it is what a screen reader reads of
  // a button. The tooltip stays the hint the window answers. The bar copies the texts.
  ::SendMessageW(toolBar, TB_SETMAXTEXTROWS, 0, 0);
  std::vector<std::wstring> names;
  names.reserve(layout.toolButtons.size());  // the texts stay where the buttons point
  std::vector<TBBUTTON> buttons;
  for (std::size_t i = 0; i < layout.toolButtons.size(); ++i) {
    const ToolButtonLayout& row = layout.toolButtons[i];
    const bool separator = row.image == ToolButtonLayout::kSeparator;
    if (!separator) names.push_back(platform::Wide(SpokenName(row.hint)));
    buttons.push_back({.iBitmap = separator ? ToDevice(kToolSeparatorWidth, dpi) : row.image,
                       .idCommand = firstId + static_cast<int>(i),
                       .fsState = static_cast<BYTE>(separator ? 0 : TBSTATE_ENABLED),
                       .fsStyle = static_cast<BYTE>(separator ? BTNS_SEP : BTNS_BUTTON),
                       .bReserved = {},
                       .dwData = 0,
                       .iString = separator ? 0 : reinterpret_cast<INT_PTR>(names.back().c_str())});
  }
  ::SendMessageW(toolBar, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
  return images;
}

void ScaleToolBar(HWND toolBar, const WindowLayout& layout, int dpi, HIMAGELIST& images) {
  SetImages(toolBar, layout, dpi, images);
  for (std::size_t i = 0; i < layout.toolButtons.size(); ++i) {
    if (layout.toolButtons[i].image != ToolButtonLayout::kSeparator) continue;
    TBBUTTONINFOW separator{};
    separator.cbSize = sizeof separator;
    separator.dwMask = TBIF_SIZE | TBIF_BYINDEX;
    separator.cx = static_cast<WORD>(ToDevice(kToolSeparatorWidth, dpi));
    ::SendMessageW(toolBar, TB_SETBUTTONINFOW, i, reinterpret_cast<LPARAM>(&separator));
  }
}

}  // namespace dorvane::win32
