#include "help/hh.h"

#include "platform/Desktop.h"
#include "platform/Files.h"
#include "platform/Process.h"
#include "platform/Registry.h"
#include "text/Paths.h"
#include "text/Utf8.h"

namespace dorvane {
namespace {

HelpViewerBinding g_viewer;

template <typename Proc>
Proc BindExport(platform::LibraryHandle library, const char* name) {
  return platform::FindFunction<Proc>(platform::ActiveLibraries(), library, name);
}

}  // namespace

const HelpViewerBinding& HelpViewer() {
  return g_viewer;
}

std::string LocateHelpViewer() {
  const auto value = platform::ActiveRegistry().ReadDefaultValue(
      platform::RegistryRoot::ClassesRoot, platform::kHtmlHelpViewerKey);
  if (!value || value->empty()) return {};
  if (!platform::ActiveFiles().FileExists(*value)) return {};
  return *value;
}

void LoadHelpViewer() {
  if (g_viewer.handle != nullptr) return;
  const std::string path = LocateHelpViewer();
  if (path.empty() || !platform::ActiveFiles().FileExists(path)) return;
  const platform::LibraryHandle library = platform::ActiveLibraries().Load(path);
  if (library == nullptr) return;
  g_viewer.handle = library;
  g_viewer.ansiEntry = BindExport<HtmlHelpAProc>(library, kHtmlHelpAName);
  g_viewer.wideEntry = BindExport<HtmlHelpWProc>(library, kHtmlHelpWName);
  g_viewer.helpEntry = BindExport<HtmlHelpAProc>(library, kHtmlHelpAName);
}

void UnloadHelpViewer() {
  if (g_viewer.handle == nullptr) return;
  platform::ActiveLibraries().Release(g_viewer.handle);
  g_viewer = HelpViewerBinding{};
}

void ShowProgramHelp() {
  if (g_viewer.helpEntry == nullptr) throw EHelpViewerMissing();
  const std::string file =
      platform::InstalledFilePath(DirectoryOf(platform::ActiveProcess().ModuleFileName()),
                                  kHelpFileName, platform::DataDirFromExecutable());
  if (const std::optional<std::string> ansi = platform::AnsiText(file)) {
    g_viewer.helpEntry(platform::DesktopWindow(), ansi->c_str(), HH_DISPLAY_TOPIC, 0);
    return;
  }
  // A path that the 8-bit entry cannot carry (a folder named in another script) goes through
  // the UTF-16 one.
  if (g_viewer.wideEntry == nullptr) throw EHelpPathUnreadable(file);
  const std::u16string wide = Utf16FromUtf8(file);
  g_viewer.wideEntry(platform::DesktopWindow(), wide.c_str(), HH_DISPLAY_TOPIC, 0);
}

void CloseHelpWindows() {
  if (g_viewer.helpEntry == nullptr) return;
  g_viewer.helpEntry(nullptr, nullptr, HH_CLOSE_ALL, 0);
}

}  // namespace dorvane
