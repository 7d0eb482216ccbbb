#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/SystemInfo.h"

namespace dorvane {

using platform::VersionNumbers;

inline constexpr const char* kWritableTestFileName = "$_Temp_$.$$$";
inline constexpr const char* kDebugMarkerFileName = "debug.debug";
inline constexpr const char* kHelpReportFileName = "HHDebug.txt";
inline constexpr const char* kBrowserFileName = "Shdocvw.dll";

// What the start-up probe found out about the help environment.
struct HelpEnvironment {
  std::string moduleFile;  // the executable's full file name
  std::string moduleDir;   // its directory, without trailing separators
  std::string moduleName;  // its file name
  std::string runDir;      // directory of the program's path in the start-up arguments
  std::string logDir;      // where the report goes: moduleDir if writable, else the temp dir
  bool debugMode = false;
  std::string reportNote;  // in debug mode, where the report went (or that it could not be)

  VersionNumbers hhVersion{};  // the help viewer library's file version
  std::string hhVerStr;
  bool hhInstalled = false;
  std::string hhFriendlyVerStr;

  VersionNumbers ieVersion{};  // the browser component's, adjusted
  std::string ieVerStr;
  bool ieInstalled = false;
  std::string ieFriendlyVerStr;
};

// "/debug" or "-debug", in any case of its ASCII letters: the argument that asks for the
// diagnostic report.
bool IsDebugArgument(std::string_view arg);

// "major.minor.release.build" in decimal.
std::string VersionText(const VersionNumbers& v);

// The help viewer's release name for its file version ("1.33", "> 1.33", "< 1.0"...).
std::string HelpViewerFriendlyVersion(const VersionNumbers& v);

// The browser's release name for its (adjusted) file version.
std::string BrowserFriendlyVersion(const VersionNumbers& v);

// Old browser components keep their build in the build place: 4.70.0.1155 is 4.70.1155.0.
VersionNumbers AdjustBrowserVersion(const VersionNumbers& v);

// Whether a file can be created in `dir`: creates "$_Temp_$.$$$" there and removes it again.
// A name already there is never touched: a name of the test's own ("$_Temp_$1.$$$"...) is
// tried in its place.
bool DirectoryIsWritable(const std::string& dir);

// Whether the program in `moduleDir` is installed: its help file is not beside it but in the
// data directory of an installation (/usr/bin/dorvane and /usr/share/dorvane). An installed
// program's folder belongs to the system and never takes the report.
bool IsInstalledProgram(const std::string& moduleDir);

// The line for standard error that says where the report went, or that it could not be
// written.
std::string ReportNote(const std::string& reportFile, bool written);

// The file version of `path`, with its text; zeros and an empty text for an empty path, a
// path that names no file, or a file without a version.
void ReadFileVersion(const std::string& path, VersionNumbers& numbers, std::string& text);

// Facts about the system that the report shows besides the probe's results.
struct HelpReportContext {
  std::string reportFile;
  std::string dateText;
  platform::PlatformVersion platform;
  std::uint32_t localeId = 0;
  std::string decimalSeparator;
  std::vector<std::string> arguments;  // the start-up arguments, the program's path first
};

// The 22 lines of the diagnostic report, without line ends.
std::vector<std::string> HelpReportLines(const HelpEnvironment& env, const HelpReportContext& ctx);

// Runs the probe once at start-up: fills the results, deletes an old report and, in debug
// mode, writes a new one. Nothing it meets is reported as an error.
const HelpEnvironment& ProbeHelpEnvironment();

// The results of the last probe.
const HelpEnvironment& HelpEnvironmentResults();

}  // namespace dorvane
