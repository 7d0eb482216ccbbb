#include "help/hh_funcs.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "FakePlatform.h"
#include "dates/DateLocale.h"
#include "help/hh.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/Registry.h"
#include "platform/Services.h"

namespace dorvane {
namespace {

using testing::FakePlatform;

// The names, newest first, at the edges of their list: past its newest and oldest entries,
// each entry from its own version up, numbers compared as numbers.
TEST(HelpVersions, NamesAtTheirBoundaries) {
  const struct {
    std::string (*name)(const VersionNumbers&);
    VersionNumbers v;
    const char* expected;
  } cases[] = {
      {HelpViewerFriendlyVersion, {4, 74, 9274, 0}, "> 1.33"},
      {HelpViewerFriendlyVersion, {4, 74, 9273, 1}, "> 1.33"},
      {HelpViewerFriendlyVersion, {4, 74, 9273, 0}, "1.33"},
      {HelpViewerFriendlyVersion, {4, 74, 9272, 65535}, "1.32"},
      {HelpViewerFriendlyVersion, {4, 72, 7290, 0}, "1.0"},
      {HelpViewerFriendlyVersion, {4, 72, 7289, 0}, "< 1.0"},
      {HelpViewerFriendlyVersion, {0, 0, 0, 0}, "< 1.0"},
      {BrowserFriendlyVersion, {6, 0, 2600, 1}, "> Internet Explorer 6"},
      {BrowserFriendlyVersion, {6, 0, 2600, 0}, "Internet Explorer 6 (Windows XP)"},
      {BrowserFriendlyVersion, {5, 0, 65535, 65535}, "Internet Explorer 5.01"},
      {BrowserFriendlyVersion, {4, 40, 307, 65535}, "< Internet Explorer 1.0 (Plus!)"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.name(c.v), c.expected) << VersionText(c.v);
}

TEST(HelpVersions, OldBrowsersHaveTheirBuildMovedToTheReleasePlace) {
  struct Case {
    VersionNumbers in, out;
  } cases[] = {
      {{4, 70, 0, 1155}, {4, 70, 1155, 0}}, {{4, 0, 0, 950}, {4, 0, 950, 0}},
      {{4, 71, 0, 1712}, {4, 71, 0, 1712}}, {{4, 70, 1, 1155}, {4, 70, 1, 1155}},
      {{5, 0, 0, 2014}, {5, 0, 0, 2014}},   {{3, 70, 0, 5}, {3, 70, 0, 5}},
  };
  for (const Case& c : cases) EXPECT_EQ(AdjustBrowserVersion(c.in), c.out) << VersionText(c.in);
  EXPECT_EQ(VersionText({4, 70, 1155, 0}), "4.70.1155.0");
  EXPECT_EQ(VersionText({65535, 0, 7, 65535}), "65535.0.7.65535");
}

const std::string kModuleDir = "/opt/dorvane/bin";
const std::string kViewer = "/opt/viewer/libviewer.so";

class HelpProbeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fake.process.moduleFileName = kModuleDir + "/dorvane";
    fake.process.arguments = {"./bin/dorvane"};
    fake.files.directories = {kModuleDir, "/tmp", "/opt/viewer"};
    fake.system.tempDirectory = "/tmp/";
    fake.system.systemDirectory = "/usr/lib/x86_64-linux-gnu/";
    fake.system.version = {"Windows NT", 5, 1, 2600};
    fake.system.localeId = 0x040C;

    locale_.ShortDatePattern = "dd/mm/yyyy";
    locale_.LongTimePattern = "hh:nn:ss";
    locale_.DecimalSep = U',';
  }

  void InstallViewer(const VersionNumbers& v) {
    fake.registry.keys[std::string(platform::kHtmlHelpViewerKey)] = kViewer;
    fake.files.files[kViewer] = "";
    fake.system.versions[kViewer] = v;
  }
  void InstallBrowser(const VersionNumbers& v) {
    const std::string browser = "/usr/lib/x86_64-linux-gnu/Shdocvw.dll";
    fake.files.files[browser] = "";
    fake.system.versions[browser] = v;
  }

  std::string Report(const std::string& dir = kModuleDir) {
    const auto it = fake.files.files.find(dir + "/HHDebug.txt");
    return it == fake.files.files.end() ? "(none)" : it->second;
  }

  FakePlatform fake;

 private:
  DateLocale locale_;
  platform::FixedClock clock_{{2026, 12, 7, 9, 5, 3, 0}};
  platform::ServicesScope services_{{.clock = &clock_, .locale = &locale_}};
};

TEST_F(HelpProbeTest, DebugReportByteForByte) {
  InstallViewer({4, 74, 9273, 0});
  InstallBrowser({4, 70, 0, 1155});
  fake.process.arguments = {"./bin/dorvane", "/DEBUG", "--month", "12 2026"};

  const HelpEnvironment& env = ProbeHelpEnvironment();

  EXPECT_TRUE(env.debugMode);
  EXPECT_EQ(env.logDir, kModuleDir);
  EXPECT_EQ(env.ieVersion, (VersionNumbers{4, 70, 1155, 0}));
  EXPECT_EQ(&env, &HelpEnvironmentResults());
  EXPECT_EQ(Report(),
            "Filename:             \t/opt/dorvane/bin/HHDebug.txt\n"
            "Date:                 \t07/12/2026 09:05:03\n"
            "Operating System:      \tWindows NT 5.1.2600\n"
            "SysLocale.DefaultLCID: \t0x040C\n"
            "SysLocale.PriLangID:   \t0x000C\n"
            "SysLocale.SubLangID:   \t0x0001\n"
            "DecimalSeparator:      \t,\n"
            "-------------------------------------------------------------------------------\n"
            "EXE Path =          \t./bin/dorvane\n"
            "Cmdline Param(s) =  \t/DEBUG | --month | 12 2026\n"
            "_RunDir =           \t./bin\n"
            "_ModuleName =       \tdorvane\n"
            "_ModuleDir =        \t/opt/dorvane/bin\n"
            "-------------------------------------------------------------------------------\n"
            "_hhInstalled =      \tYES\n"
            "_hhVerStr =         \t4.74.9273.0\n"
            "_hhFriendlyVerStr = \t1.33\n"
            "-------------------------------------------------------------------------------\n"
            "_ieInstalled =      \tYES\n"
            "_ieVerStr =         \t4.70.1155.0\n"
            "_ieFriendlyVerStr = \tInternet Explorer 3.0\n"
            "===============================================================================\n");
}

// A viewer without a version counts as none.
TEST_F(HelpProbeTest, NothingInstalledAndNoArgumentsLeaveValuesEmpty) {
  InstallViewer({});
  fake.system.versions.clear();
  fake.files.files[kModuleDir + "/debug.debug"] = "";
  fake.system.localeId = 0;

  const HelpEnvironment& env = ProbeHelpEnvironment();

  EXPECT_FALSE(env.hhInstalled);
  EXPECT_FALSE(env.ieInstalled);
  EXPECT_EQ(env.hhVersion, (VersionNumbers{0, 0, 0, 0}));
  const std::string report = Report();
  EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 22);
  for (const char* line :
       {"\nSysLocale.DefaultLCID: \t0x0000\n", "\nCmdline Param(s) =  \t\n",
        "\n_hhInstalled =      \tNO\n_hhVerStr =         \t\n_hhFriendlyVerStr = \t\n",
        "\n_ieInstalled =      \tNO\n_ieVerStr =         \t\n_ieFriendlyVerStr = \t\n"})
    EXPECT_NE(report.find(line), std::string::npos) << line;
}

TEST_F(HelpProbeTest, DebugModeOnlyFromTheMarkerOrAnExactArgument) {
  struct Case {
    std::vector<std::string> args;
    bool marker;
    bool debug;
  } cases[] = {
      {{"dorvane"}, false, false},
      {{"dorvane"}, true, true},
      {{"dorvane", "-debug"}, false, true},
      {{"dorvane", "/Debug"}, false, true},
      {{"dorvane", "x", "-DEBUG"}, false, true},
      {{"dorvane", "-debugx"}, false, false},
      {{"dorvane", "--debug"}, false, false},
      {{"dorvane", "debug"}, false, false},
      {{"dorvane", "/débug"}, false, false},
      {{"/debug"}, false, false},  // the program's own path is no argument
  };
  for (const Case& c : cases) {
    fake.process.arguments = c.args;
    if (c.marker)
      fake.files.files[kModuleDir + "/debug.debug"] = "";
    else
      fake.files.files.erase(kModuleDir + "/debug.debug");
    EXPECT_EQ(ProbeHelpEnvironment().debugMode, c.debug) << c.args.back() << " " << c.marker;
    EXPECT_EQ(Report() != "(none)", c.debug);
    fake.files.files.erase(kModuleDir + "/HHDebug.txt");
  }
}

TEST_F(HelpProbeTest, AnOldReportIsRemovedEvenWithoutDebugMode) {
  fake.files.files[kModuleDir + "/HHDebug.txt"] = "old report";
  fake.files.files[kModuleDir + "/$_Temp_$.$$$"] = "left over";
  const HelpEnvironment& env = ProbeHelpEnvironment();
  EXPECT_FALSE(env.debugMode);
  EXPECT_EQ(env.logDir, kModuleDir);
  EXPECT_EQ(Report(), "(none)");
  // Never touched (it may be a link that Wine shows as a file); a name of the test's own
  // stands in for it, and none is left.
  EXPECT_EQ(fake.files.files.at(kModuleDir + "/$_Temp_$.$$$"), "left over");
  EXPECT_EQ(fake.files.files.size(), 1u);
}

// A folder of ours that cannot be written, and an installed program's folder (its help file
// in the installation's data directory, not beside it), which is the system's and left alone
// even by the superuser who may write there: the report goes to the temporary directory, an
// old one there goes first, and the user is told where the report went.
TEST_F(HelpProbeTest, TheReportGoesToTheTemporaryDirectoryOutsideAFolderOfOurOwn) {
  for (bool installed : {false, true}) {
    if (installed)
      fake.files.files[platform::InstalledFilePath(kModuleDir, kHelpFileName,
                                                   platform::DataDirFromExecutable())] = "aide";
    else
      fake.files.readOnlyDirectories = {kModuleDir};
    fake.files.files["/tmp/HHDebug.txt"] = "old report";
    fake.process.arguments = {"/usr/bin/dorvane", "/debug"};

    const HelpEnvironment& env = ProbeHelpEnvironment();

    EXPECT_EQ(env.logDir, "/tmp");
    EXPECT_EQ(Report(), "(none)");
    const std::string report = Report("/tmp");
    EXPECT_EQ(report.substr(0, 40), "Filename:             \t/tmp/HHDebug.txt\n");
    EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 22);
    EXPECT_EQ(env.reportNote, "Rapport de diagnostic écrit dans /tmp/HHDebug.txt.");
    fake.files.readOnlyDirectories.clear();
  }
  fake.files.readOnlyDirectories.insert("/tmp");
  EXPECT_EQ(ProbeHelpEnvironment().reportNote,
            "Impossible d'écrire le rapport de diagnostic /tmp/HHDebug.txt.");
}

// A line break in a path or an argument must not split a report line (nor a C1 control, nor a
// right-to-left override turn it around).
TEST_F(HelpProbeTest, EveryValueStaysOnItsLine) {
  fake.files.readOnlyDirectories.insert(kModuleDir);
  fake.system.tempDirectory = "/tmp/a\nb/";
  fake.files.directories.insert("/tmp/a\nb");
  fake.process.arguments = {"./bin/dorvane", "-debug", "deux\r\nlignes\u0085\u202E"};

  ProbeHelpEnvironment();

  const std::string report = Report("/tmp/a\nb");
  EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 22);
  EXPECT_EQ(report.substr(0, report.find('\n')), "Filename:             \t/tmp/a?b/HHDebug.txt");
  EXPECT_NE(report.find("\t-debug | deux??lignes??\n"), std::string::npos);
}

TEST_F(HelpProbeTest, WithoutATemporaryDirectoryTheRootStandsIn) {
  fake.files.readOnlyDirectories.insert(kModuleDir);
  fake.system.tempDirectory = "/nonexistent";
  EXPECT_EQ(ProbeHelpEnvironment().logDir, "");
}

TEST_F(HelpProbeTest, ALinkInPlaceOfTheReportIsRemovedNotFollowed) {
  fake.files.files["/home/user/.profile"] = "precious";
  fake.files.links[kModuleDir + "/HHDebug.txt"] = "/home/user/.profile";
  fake.process.arguments = {"./bin/dorvane", "-debug"};
  ProbeHelpEnvironment();
  EXPECT_EQ(fake.files.files["/home/user/.profile"], "precious");
  EXPECT_EQ(fake.files.links.count(kModuleDir + "/HHDebug.txt"), 0u);
  EXPECT_EQ(Report().substr(0, 9), "Filename:");
}

}  // namespace
}  // namespace dorvane
