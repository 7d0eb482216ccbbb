// <windows.h> for the Windows front end. The program's own headers declare, with the same
// values, constants that <windows.h> has as macros (the DrawText and DrawEdge flags, the grid's
// virtual keys, RGB, DrawText): those macros go, so that both can be included in any order, and
// code in namespace dorvane uses the program's constants. Include this instead of <windows.h>.
#pragma once

#include <windows.h>

#undef DT_LEFT
#undef DT_CENTER
#undef DT_RIGHT
#undef DT_WORDBREAK
#undef DT_EXPANDTABS
#undef DT_CALCRECT
#undef DT_NOPREFIX
#undef DT_RTLREADING
#undef BDR_RAISEDOUTER
#undef BDR_SUNKENOUTER
#undef BDR_RAISEDINNER
#undef BDR_SUNKENINNER
#undef BF_LEFT
#undef BF_TOP
#undef BF_RIGHT
#undef BF_BOTTOM
#undef BF_TOPLEFT
#undef BF_BOTTOMRIGHT
#undef BF_RECT
#undef VK_BACK
#undef VK_PRIOR
#undef VK_NEXT
#undef VK_END
#undef VK_HOME
#undef VK_LEFT
#undef VK_UP
#undef VK_RIGHT
#undef VK_DOWN
#undef VK_INSERT
#undef VK_DELETE
#undef VK_F1
#undef RGB
#undef DrawText
