#pragma once

#include <cstdint>

namespace dorvane {

// Virtual keys the controls and windows react to, with their usual values.
inline constexpr std::uint16_t VK_BACK = 0x08;
inline constexpr std::uint16_t VK_PRIOR = 0x21;  // Page Up
inline constexpr std::uint16_t VK_NEXT = 0x22;   // Page Down
inline constexpr std::uint16_t VK_END = 0x23;
inline constexpr std::uint16_t VK_HOME = 0x24;
inline constexpr std::uint16_t VK_LEFT = 0x25;
inline constexpr std::uint16_t VK_UP = 0x26;
inline constexpr std::uint16_t VK_RIGHT = 0x27;
inline constexpr std::uint16_t VK_DOWN = 0x28;
inline constexpr std::uint16_t VK_INSERT = 0x2D;
inline constexpr std::uint16_t VK_DELETE = 0x2E;
inline constexpr std::uint16_t VK_F1 = 0x70;  // F2 to F24 follow

// The modifier keys held with a key or a click.
using TShiftState = std::uint8_t;
inline constexpr TShiftState ssShift = 0x1;
inline constexpr TShiftState ssAlt = 0x2;
inline constexpr TShiftState ssCtrl = 0x4;

}  // namespace dorvane
