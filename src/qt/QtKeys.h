// Qt's keys, modifiers and pointer events as the controls and forms know them (Qt hosts only).
#pragma once

#include <QKeyEvent>
#include <QMouseEvent>

#include <cstdint>
#include <optional>
#include <utility>

#include "gfx/Keys.h"
#include "gfx/MouseButton.h"

namespace dorvane {

inline TShiftState ShiftOf(Qt::KeyboardModifiers modifiers) {
  TShiftState shift = 0;
  if (modifiers & Qt::ShiftModifier) shift |= ssShift;
  if (modifiers & Qt::AltModifier) shift |= ssAlt;
  if (modifiers & Qt::ControlModifier) shift |= ssCtrl;
  return shift;
}

// The virtual key of a Qt key; 0 for a key none of ours reacts to.
inline std::uint16_t VirtualKeyOf(int key) {
  static constexpr std::pair<int, std::uint16_t> kKeys[] = {
      {Qt::Key_Backspace, VK_BACK}, {Qt::Key_Left, VK_LEFT},    {Qt::Key_Right, VK_RIGHT},
      {Qt::Key_Up, VK_UP},          {Qt::Key_Down, VK_DOWN},    {Qt::Key_Home, VK_HOME},
      {Qt::Key_End, VK_END},        {Qt::Key_PageUp, VK_PRIOR}, {Qt::Key_PageDown, VK_NEXT},
      {Qt::Key_Insert, VK_INSERT},  {Qt::Key_Delete, VK_DELETE}};
  for (const auto& [qt, virtualKey] : kKeys) {
    if (key == qt) return virtualKey;
  }
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) {
    return static_cast<std::uint16_t>(VK_F1 + (key - Qt::Key_F1));
  }
  return 0;
}

// Left and right are themselves; every other button (middle, back, forward, the extra ones) is
// the middle button, which clicks nothing in any control.
inline TMouseButton MouseButtonOf(Qt::MouseButton button) {
  if (button == Qt::LeftButton) return TMouseButton::mbLeft;
  return button == Qt::RightButton ? TMouseButton::mbRight : TMouseButton::mbMiddle;
}

// A press, double click, release or move of the pointer; nullopt for any other event.
inline std::optional<MouseEvent> MouseEventOf(const QEvent& event) {
  static constexpr std::pair<QEvent::Type, MouseEvent::Action> kActions[] = {
      {QEvent::MouseButtonPress, MouseEvent::kPress},
      {QEvent::MouseButtonDblClick, MouseEvent::kDoubleClick},
      {QEvent::MouseButtonRelease, MouseEvent::kRelease},
      {QEvent::MouseMove, MouseEvent::kMove}};
  for (const auto& [type, action] : kActions) {
    if (event.type() != type) continue;
    const auto& mouse = static_cast<const QMouseEvent&>(event);
    const QPoint p = mouse.position().toPoint();
    return MouseEvent{
        action, MouseButtonOf(mouse.button()), ShiftOf(mouse.modifiers()), {p.x(), p.y()}};
  }
  return std::nullopt;
}

}  // namespace dorvane
