// A tiny shared library to load through the real dynamic loader: one export, whose address
// tells one loaded copy from another.
extern "C" {

__attribute__((visibility("default"))) int g_testPluginData = 0;
}
