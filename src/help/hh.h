#pragma once

#include <stdexcept>
#include <string>

#include "help/HtmlHelpApi.h"
#include "platform/DynamicLibrary.h"
#include "text/Utf8.h"

namespace dorvane {

inline constexpr const char* kHelpFileName = "Dorvane.chm";
inline constexpr const char* kNoHelpViewerMessage = "Aucun visualiseur d'aide n'est installé.";

// The help command was given while no viewer is loaded.
class EHelpViewerMissing : public std::runtime_error {
 public:
  EHelpViewerMissing() : std::runtime_error(kNoHelpViewerMessage) {}
};

// The help file's path holds characters that the viewer cannot be given.
class EHelpPathUnreadable : public std::runtime_error {
 public:
  explicit EHelpPathUnreadable(const std::string& path)
      : std::runtime_error("Le visualiseur d'aide ne peut pas lire le nom du fichier " +
                           OneLineText(path) + ".") {}
};

// The loaded viewer: all empty while not loaded. Each entry stays empty when the library
// lacks its export.
struct HelpViewerBinding {
  platform::LibraryHandle handle = nullptr;
  HtmlHelpAProc ansiEntry = nullptr;  // "HtmlHelpA"
  HtmlHelpWProc wideEntry = nullptr;  // "HtmlHelpW"
  HtmlHelpAProc helpEntry = nullptr;  // "HtmlHelpA" again: the one the program calls
};

const HelpViewerBinding& HelpViewer();

// The path of the viewer library as registered, or empty when no existing file is registered.
// The registered text is used as stored: environment references in it are not expanded.
std::string LocateHelpViewer();

// Loads the registered viewer and binds its entries; does nothing when already loaded, and
// leaves everything empty when there is no viewer or it cannot be loaded.
void LoadHelpViewer();

// Releases the viewer and empties the binding; does nothing when none is loaded.
void UnloadHelpViewer();

// The help command: opens "Dorvane.chm" beside the executable in a help window of its own,
// owned by the desktop, through the 8-bit entry, or the UTF-16 one for a path that the 8-bit
// code page cannot carry. Raises EHelpViewerMissing when no viewer entry is bound, and
// EHelpPathUnreadable when neither entry can take the path.
void ShowProgramHelp();

// On the main window's destruction: closes every help window the program opened. Skipped
// when no viewer entry is bound.
void CloseHelpWindows();

}  // namespace dorvane
