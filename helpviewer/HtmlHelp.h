// The help viewer plugin's entry points, as the program finds them by name in
// libdorvane_hhctrl.so. Both have C linkage and the shape of the HTML Help function:
// owner window (unused: help windows are top-level), help file path, command, data word.
#pragma once

#include <cstdint>

#include "help/HtmlHelpApi.h"

namespace dorvane::helpviewer {

// Opens the named help file at its default topic in a new help window of its own and returns
// that window; a file that cannot be shown gives a window with the reason, in French.
inline constexpr unsigned int kDisplayTopic = HH_DISPLAY_TOPIC;
// Closes every help window that the plugin opened; returns null.
inline constexpr unsigned int kCloseAll = HH_CLOSE_ALL;

// The exports' names and types, for dlsym: the program's own declaration of the entry.
inline constexpr const char* kAnsiEntryName = kHtmlHelpAName;
inline constexpr const char* kWideEntryName = kHtmlHelpWName;
using HtmlHelpAFunction = HtmlHelpAProc;
using HtmlHelpWFunction = HtmlHelpWProc;

}  // namespace dorvane::helpviewer

// The file name of HtmlHelpA is UTF-8 (the platform's file name bytes); that of HtmlHelpW is
// UTF-16. Any command other than the two above returns null, and so does every call made
// without a running QApplication or from another thread than the GUI thread: the plugin
// never creates an application of its own.
extern "C" {
__attribute__((visibility("default"))) void* HtmlHelpA(void* hwndCaller, const char* file,
                                                       unsigned int command, std::uintptr_t data);
__attribute__((visibility("default"))) void* HtmlHelpW(void* hwndCaller, const char16_t* file,
                                                       unsigned int command, std::uintptr_t data);
}
