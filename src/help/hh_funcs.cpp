#include "help/hh_funcs.h"

#include <cstdio>
#include <span>
#include <string_view>

#include "dates/DateLocale.h"
#include "dates/DateValue.h"
#include "dates/Formatting.h"
#include "dates/Numbers.h"
#include "help/hh.h"
#include "platform/Files.h"
#include "platform/Process.h"
#include "text/Paths.h"
#include "text/Utf8.h"

namespace dorvane {

using platform::WithoutTrailingSeparators;

namespace {

struct NamedVersion {
  VersionNumbers from;
  const char* name;
};

// Release names, newest first: a version bears the first name whose version it reaches. The
// first row's version is the newest known; anything above it is named `newer`.
struct VersionNames {
  const char* newer;
  std::span<const NamedVersion> rows;
  const char* older;
};

constexpr NamedVersion kHelpViewerRows[] = {
    {{4, 74, 9273, 0}, "1.33"}, {{4, 74, 8857, 0}, "1.32"}, {{4, 74, 8793, 0}, "1.31"},
    {{4, 74, 8702, 0}, "1.3"},  {{4, 73, 8561, 0}, "1.22"}, {{4, 73, 8474, 0}, "1.21a"},
    {{4, 73, 8412, 0}, "1.21"}, {{4, 73, 8252, 0}, "1.2"},  {{4, 72, 8164, 0}, "1.1b"},
    {{4, 72, 7325, 0}, "1.1a"}, {{4, 72, 7323, 0}, "1.1"},  {{4, 72, 7290, 0}, "1.0"},
};

constexpr NamedVersion kBrowserRows[] = {
    {{6, 0, 2600, 0}, "Internet Explorer 6 (Windows XP)"},
    {{6, 0, 2479, 6}, "Internet Explorer 6 Public Preview (Beta) Refresh"},
    {{6, 0, 2462, 0}, "Internet Explorer 6 Public Preview (Beta)"},
    {{5, 50, 4807, 2300}, "Internet Explorer 5.5 Service Pack 2"},
    {{5, 50, 4522, 1800}, "Internet Explorer 5.5 Service Pack 1"},
    {{5, 50, 4308, 2900}, "Internet Explorer 5.5 Advanced Security Privacy Beta"},
    {{5, 50, 4134, 600}, "Internet Explorer 5.5"},
    {{5, 50, 4134, 100}, "Internet Explorer 5.5 for Windows Me (4.90.3000)"},
    {{5, 50, 4030, 2400}, "Internet Explorer 5.5 & Internet Tools Beta"},
    {{5, 50, 3825, 1300}, "Internet Explorer 5.5 Developer Preview"},
    {{5, 0, 2919, 6307}, "Internet Explorer 5.01"},
    {{5, 0, 2919, 3800}, "Internet Explorer 5.01 (Windows 2000 RC2, build 5.00.2128)"},
    {{5, 0, 2919, 800}, "Internet Explorer 5.01 (Windows 2000 RC1, build 5.00.2072)"},
    {{5, 0, 2721, 1400}, "Internet Explorer 5.0 updated"},
    {{5, 0, 2614, 0}, "Internet Explorer 5.0b"},
    {{5, 0, 2314, 0}, "Internet Explorer 5.0a"},
    {{5, 0, 2014, 0}, "Internet Explorer 5.0"},
    {{5, 0, 910, 0}, "Internet Explorer 5 Beta (Beta 2)"},
    {{5, 0, 518, 0}, "Internet Explorer 5 Developer Preview (Beta 1)"},
    {{4, 72, 3612, 0}, "Internet Explorer 4.01 Service Pack 2 (SP2)"},
    {{4, 72, 3110, 0}, "Internet Explorer 4.01 Service Pack 1 (SP1)"},
    {{4, 72, 2106, 0}, "Internet Explorer 4.01"},
    {{4, 71, 1712, 0}, "Internet Explorer 4.0"},
    {{4, 71, 1008, 0}, "Internet Explorer 4.0 Platform Preview 2.0 (PP2)"},
    {{4, 71, 544, 0}, "Internet Explorer 4.0 Platform Preview 1.0 (PP1)"},
    {{4, 70, 1300, 0}, "Internet Explorer 3.02"},
    {{4, 70, 1215, 0}, "Internet Explorer 3.01"},
    {{4, 70, 1158, 0}, "Internet Explorer 3.0 (OSR2)"},
    {{4, 70, 1155, 0}, "Internet Explorer 3.0"},
    {{4, 40, 520, 0}, "Internet Explorer 2.0"},
    {{4, 40, 308, 0}, "Internet Explorer 1.0 (Plus!)"},
};

constexpr VersionNames kHelpViewerNames{"> 1.33", kHelpViewerRows, "< 1.0"};
constexpr VersionNames kBrowserNames{"> Internet Explorer 6", kBrowserRows,
                                     "< Internet Explorer 1.0 (Plus!)"};

// std::array compares number by number, each unsigned: the order versions have.
std::string FriendlyName(const VersionNumbers& v, const VersionNames& names) {
  if (v > names.rows.front().from) return names.newer;
  for (const NamedVersion& row : names.rows) {
    if (v >= row.from) return row.name;
  }
  return names.older;
}

std::string Hex4(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(value));
  return text;
}

// A report line: the label, its blanks, one tab, the value, kept on its one line (a path or
// an argument may hold a line break).
std::string Line(std::string_view label, int blanks, std::string_view value) {
  std::string line(label);
  line.append(static_cast<std::size_t>(blanks), ' ');
  line += '\t';
  line += OneLineText(value);
  return line;
}

HelpEnvironment g_results;

}  // namespace

bool IsDebugArgument(std::string_view arg) {
  const std::string upper = AsciiUpper(arg);
  return upper == "/DEBUG" || upper == "-DEBUG";
}

std::string VersionText(const VersionNumbers& v) {
  return std::to_string(v[0]) + "." + std::to_string(v[1]) + "." + std::to_string(v[2]) + "." +
         std::to_string(v[3]);
}

std::string HelpViewerFriendlyVersion(const VersionNumbers& v) {
  return FriendlyName(v, kHelpViewerNames);
}

std::string BrowserFriendlyVersion(const VersionNumbers& v) {
  return FriendlyName(v, kBrowserNames);
}

VersionNumbers AdjustBrowserVersion(const VersionNumbers& v) {
  if (v[0] == 4 && v[1] <= 70 && v[2] == 0) return {v[0], v[1], v[3], 0};
  return v;
}

bool DirectoryIsWritable(const std::string& dir) {
  platform::FileSystem& files = platform::ActiveFiles();
  const std::string base = WithoutTrailingSeparators(dir) + files.Style().separator;
  // A name already there is left alone, whatever it is (under Wine a Unix link looks like the
  // file it leads to): a few names of the test's own stand in for it.
  for (int attempt = 0; attempt < 4; ++attempt) {
    const std::string file = base + (attempt == 0 ? std::string(kWritableTestFileName)
                                                  : "$_Temp_$" + std::to_string(attempt) + ".$$$");
    if (files.CanCreateFile(file)) return true;
    if (!files.FileExists(file) && !files.DirectoryExists(file) && !files.IsSymbolicLink(file))
      return false;
  }
  return false;
}

bool IsInstalledProgram(const std::string& moduleDir) {
  platform::FileSystem& files = platform::ActiveFiles();
  const std::string beside = moduleDir + files.Style().separator + kHelpFileName;
  const std::string installed =
      platform::InstalledFilePath(moduleDir, kHelpFileName, platform::DataDirFromExecutable());
  return installed != beside && files.FileExists(installed);
}

std::string ReportNote(const std::string& reportFile, bool written) {
  return written ? "Rapport de diagnostic écrit dans " + OneLineText(reportFile) + "."
                 : "Impossible d'écrire le rapport de diagnostic " + OneLineText(reportFile) + ".";
}

void ReadFileVersion(const std::string& path, VersionNumbers& numbers, std::string& text) {
  numbers = {};
  text.clear();
  if (path.empty() || !platform::ActiveFiles().FileExists(path)) return;
  const auto version = platform::ActiveSystemInfo().FileVersion(path);
  if (!version) return;
  numbers = *version;
  text = VersionText(numbers);
}

std::vector<std::string> HelpReportLines(const HelpEnvironment& env, const HelpReportContext& ctx) {
  const std::string dashes(79, '-');
  const std::uint32_t langId = ctx.localeId & 0xFFFF;
  const auto& p = ctx.platform;
  std::string params;
  for (std::size_t i = 1; i < ctx.arguments.size(); ++i) {
    if (i > 1) params += " | ";
    params += ctx.arguments[i];
  }
  return {
      Line("Filename:", 13, ctx.reportFile),
      Line("Date:", 17, ctx.dateText),
      Line("Operating System:", 6,
           p.name + " " + std::to_string(p.major) + "." + std::to_string(p.minor) + "." +
               std::to_string(p.build)),
      Line("SysLocale.DefaultLCID:", 1, Hex4(ctx.localeId)),
      Line("SysLocale.PriLangID:", 3, Hex4(langId & 0x3FF)),
      Line("SysLocale.SubLangID:", 3, Hex4(langId >> 10)),
      Line("DecimalSeparator:", 6, ctx.decimalSeparator),
      dashes,
      Line("EXE Path =", 10, ctx.arguments.empty() ? std::string() : ctx.arguments[0]),
      Line("Cmdline Param(s) =", 2, params),
      Line("_RunDir =", 11, env.runDir),
      Line("_ModuleName =", 7, env.moduleName),
      Line("_ModuleDir =", 8, env.moduleDir),
      dashes,
      Line("_hhInstalled =", 6, env.hhInstalled ? "YES" : "NO"),
      Line("_hhVerStr =", 9, env.hhVerStr),
      Line("_hhFriendlyVerStr =", 1, env.hhFriendlyVerStr),
      dashes,
      Line("_ieInstalled =", 6, env.ieInstalled ? "YES" : "NO"),
      Line("_ieVerStr =", 9, env.ieVerStr),
      Line("_ieFriendlyVerStr =", 1, env.ieFriendlyVerStr),
      std::string(79, '='),
  };
}

const HelpEnvironment& ProbeHelpEnvironment() {
  platform::FileSystem& files = platform::ActiveFiles();
  const platform::SystemInfo& system = platform::ActiveSystemInfo();
  const std::vector<std::string> args = platform::ActiveProcess().Arguments();
  const platform::PathStyle style = files.Style();
  const auto inDir = [&style](const std::string& dir, std::string_view name) {
    return dir + style.separator + std::string(name);
  };
  HelpEnvironment env;

  env.moduleFile = platform::ActiveProcess().ModuleFileName();
  env.moduleDir = WithoutTrailingSeparators(DirectoryOf(env.moduleFile));
  env.moduleName = FileNameOf(env.moduleFile);
  env.runDir = args.empty() ? std::string() : WithoutTrailingSeparators(DirectoryOf(args[0]));

  // Without a module name there is no directory of ours to test; the root is not it. An
  // installed program's folder is the system's: its report goes to the temporary directory.
  if (!env.moduleFile.empty() && !IsInstalledProgram(env.moduleDir) &&
      DirectoryIsWritable(env.moduleDir)) {
    env.logDir = env.moduleDir;
  } else {
    const std::string temp = system.TempDirectory();
    env.logDir = WithoutTrailingSeparators(
        files.DirectoryExists(temp) ? temp : std::string(style.missingTempDir));
  }

  env.debugMode =
      !env.moduleFile.empty() && files.FileExists(inDir(env.moduleDir, kDebugMarkerFileName));
  for (std::size_t i = 1; i < args.size() && !env.debugMode; ++i) {
    env.debugMode = IsDebugArgument(args[i]);
  }

  ReadFileVersion(LocateHelpViewer(), env.hhVersion, env.hhVerStr);
  env.hhInstalled = !env.hhVerStr.empty();
  env.hhFriendlyVerStr = env.hhInstalled ? HelpViewerFriendlyVersion(env.hhVersion) : "";

  ReadFileVersion(inDir(WithoutTrailingSeparators(system.SystemDirectory()), kBrowserFileName),
                  env.ieVersion, env.ieVerStr);
  if (!env.ieVerStr.empty()) {
    env.ieVersion = AdjustBrowserVersion(env.ieVersion);
    env.ieVerStr = VersionText(env.ieVersion);
  }
  env.ieInstalled = !env.ieVerStr.empty();
  env.ieFriendlyVerStr = env.ieInstalled ? BrowserFriendlyVersion(env.ieVersion) : "";

  // An earlier report never survives a start, even a link planted in its place.
  const std::string report = inDir(env.logDir, kHelpReportFileName);
  if (files.FileExists(report) || files.IsSymbolicLink(report)) files.DeleteFile(report);

  if (env.debugMode) {
    HelpReportContext ctx;
    ctx.reportFile = report;
    ctx.dateText = FormatDateValue("", CurrentMoment());
    ctx.platform = system.Version();
    ctx.localeId = system.DefaultLocaleId();
    AppendUtf8(ctx.decimalSeparator, CurrentDateLocale().DecimalSep);
    ctx.arguments = args;
    // Each line on its own, so one that cannot be written does not keep the others out.
    bool written = true;
    for (const std::string& line : HelpReportLines(env, ctx)) {
      written = files.AppendText(report, line + std::string(style.lineEnd)) && written;
    }
    env.reportNote = ReportNote(report, written);
  }

  g_results = std::move(env);
  return g_results;
}

const HelpEnvironment& HelpEnvironmentResults() {
  return g_results;
}

}  // namespace dorvane
