#include <dlfcn.h>
#include <gtest/gtest.h>

#include "HtmlHelp.h"

namespace {

using dorvane::helpviewer::HtmlHelpAFunction;

// Without a running QApplication the plugin must not create one, nor a window: it returns null.
TEST(HelpPluginWithoutApplication, EveryCommandReturnsNull) {
  void* library = dlopen(DORVANE_HHCTRL, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << dlerror();
  auto help = reinterpret_cast<HtmlHelpAFunction>(dlsym(library, "HtmlHelpA"));
  ASSERT_NE(help, nullptr);
  EXPECT_EQ(help(nullptr, DORVANE_HELP_FILE, 0, 0), nullptr);
  EXPECT_EQ(help(nullptr, nullptr, 18, 0), nullptr);
  // Not unloaded: this test alone brings Qt in with the plugin, and unloading Qt would turn
  // its process-lifetime caches into reported leaks.
}

}  // namespace
