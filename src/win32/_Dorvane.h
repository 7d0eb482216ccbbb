#pragma once

#include <memory>

#include "cli/FrontEnd.h"

namespace dorvane::win32 {

// The program's windows on Win32, for RunWindows.
std::unique_ptr<FrontEnd> CreateFrontEnd();

}  // namespace dorvane::win32
