#pragma once

#include <cstdint>

namespace dorvane {

// Text drawing flags, with the values the controls store and pass along.
inline constexpr std::uint32_t DT_LEFT = 0x0;
inline constexpr std::uint32_t DT_CENTER = 0x1;
inline constexpr std::uint32_t DT_RIGHT = 0x2;
inline constexpr std::uint32_t DT_WORDBREAK = 0x10;
inline constexpr std::uint32_t DT_EXPANDTABS = 0x40;
inline constexpr std::uint32_t DT_CALCRECT = 0x400;
inline constexpr std::uint32_t DT_NOPREFIX = 0x800;
inline constexpr std::uint32_t DT_RTLREADING = 0x20000;

// Edge kinds and sides of DrawEdge.
inline constexpr std::uint32_t BDR_RAISEDOUTER = 0x1;
inline constexpr std::uint32_t BDR_SUNKENOUTER = 0x2;
inline constexpr std::uint32_t BDR_RAISEDINNER = 0x4;
inline constexpr std::uint32_t BDR_SUNKENINNER = 0x8;
inline constexpr std::uint32_t BF_LEFT = 0x1;
inline constexpr std::uint32_t BF_TOP = 0x2;
inline constexpr std::uint32_t BF_RIGHT = 0x4;
inline constexpr std::uint32_t BF_BOTTOM = 0x8;
inline constexpr std::uint32_t BF_TOPLEFT = BF_TOP | BF_LEFT;
inline constexpr std::uint32_t BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT;
inline constexpr std::uint32_t BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;

}  // namespace dorvane
