// The HTML Help viewer's published entry, as the program calls it and as our Linux viewer
// plugin (helpviewer/) exports it. Standard library only.
#pragma once

#include <cstdint>

namespace dorvane {

// Owner window, help file, command, data word. The result is a window of the viewer's, which
// the program never reads.
using HtmlHelpAProc = void* (*)(void* hwndCaller, const char* file, unsigned int command,
                                std::uintptr_t data);
using HtmlHelpWProc = void* (*)(void* hwndCaller, const char16_t* file, unsigned int command,
                                std::uintptr_t data);

inline constexpr const char* kHtmlHelpAName = "HtmlHelpA";
inline constexpr const char* kHtmlHelpWName = "HtmlHelpW";

// Commands the program sends to the viewer.
inline constexpr unsigned int HH_DISPLAY_TOPIC = 0;  // open a help file at its default topic
inline constexpr unsigned int HH_CLOSE_ALL = 18;     // close every help window we opened

}  // namespace dorvane
