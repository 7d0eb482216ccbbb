// A tiny shared library standing for a help viewer, to load through the real dynamic loader.
#include <cstdint>

extern "C" {

__attribute__((visibility("default"))) int g_testPluginCalls = 0;

__attribute__((visibility("default"))) void* HtmlHelpA(void*, const char*, unsigned int command,
                                                       std::uintptr_t) {
  ++g_testPluginCalls;
  return reinterpret_cast<void*>(static_cast<std::uintptr_t>(command + 1));
}
}
