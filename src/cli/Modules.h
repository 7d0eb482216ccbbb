#pragma once

#include <string>

namespace dorvane {

// The program's modules, in the order of start-up, before any window exists: the user's locale
// texts, then the help binding and its probe. Returns what the user is told on standard error
// (in debug mode, where the report went), or nothing.
std::string StartModules();

// Reads the user's locale texts again: at start-up, and when the system's settings change.
void ReloadDateLocale();

// Shut-down, once the windows are gone: the modules in reverse order.
void StopModules();

}  // namespace dorvane
