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

TEST(HelpVersions, ViewerNamesAtTheirBoundaries) {
  struct Case {
    VersionNumbers v;
    const char* name;
  } cases[] = {
      {{4, 74, 9274, 0}, "> 1.33"}, {{4, 74, 9273, 1}, "> 1.33"},   {{5, 0, 0, 0}, "> 1.33"},
      {{4, 74, 9273, 0}, "1.33"},   {{4, 74, 9272, 65535}, "1.32"}, {{4, 74, 8857, 0}, "1.32"},
      {{4, 73, 8561, 0}, "1.22"},   {{4, 73, 8474, 0}, "1.21a"},    {{4, 72, 7325, 0}, "1.1a"},
      {{4, 72, 7290, 0}, "1.0"},    {{4, 72, 7289, 0}, "< 1.0"},    {{0, 0, 0, 0}, "< 1.0"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(HelpViewerFriendlyVersion(c.v), c.name) << VersionText(c.v);
  }
}

TEST(HelpVersions, BrowserNamesAtTheirBoundaries) {
  struct Case {
    VersionNumbers v;
    const char* name;
  } cases[] = {
      {{6, 0, 2600, 1}, "> Internet Explorer 6"},
      {{6, 0, 2600, 0}, "Internet Explorer 6 (Windows XP)"},
      {{6, 0, 2479, 5}, "Internet Explorer 6 Public Preview (Beta)"},
      {{5, 50, 4134, 600}, "Internet Explorer 5.5"},
      {{5, 50, 4134, 599}, "Internet Explorer 5.5 for Windows Me (4.90.3000)"},
      {{5, 0, 2919, 6307}, "Internet Explorer 5.01"},
      {{5, 0, 65535, 65535}, "Internet Explorer 5.01"},
      {{5, 0, 518, 0}, "Internet Explorer 5 Developer Preview (Beta 1)"},
      {{4, 72, 3612, 0}, "Internet Explorer 4.01 Service Pack 2 (SP2)"},
      {{4, 70, 1155, 0}, "Internet Explorer 3.0"},
      {{4, 40, 308, 0}, "Internet Explorer 1.0 (Plus!)"},
      {{4, 40, 307, 65535}, "< Internet Explorer 1.0 (Plus!)"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(BrowserFriendlyVersion(c.v), c.name) << VersionText(c.v);
  }
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

TEST_F(HelpProbeTest, NothingInstalledAndNoArgumentsLeaveValuesEmpty) {
  fake.files.files[kModuleDir + "/debug.debug"] = "";
  fake.system.localeId = 0;

  const HelpEnvironment& env = ProbeHelpEnvironment();

  EXPECT_FALSE(env.hhInstalled);
  EXPECT_FALSE(env.ieInstalled);
  EXPECT_EQ(env.hhVersion, (VersionNumbers{0, 0, 0, 0}));
  std::istringstream lines(Report());
  std::vector<std::string> got;
  for (std::string line; std::getline(lines, line);) got.push_back(line);
  ASSERT_EQ(got.size(), 22u);
  EXPECT_EQ(got[3], "SysLocale.DefaultLCID: \t0x0000");
  EXPECT_EQ(got[9], "Cmdline Param(s) =  \t");
  EXPECT_EQ(got[14], "_hhInstalled =      \tNO");
  EXPECT_EQ(got[15], "_hhVerStr =         \t");
  EXPECT_EQ(got[16], "_hhFriendlyVerStr = \t");
  EXPECT_EQ(got[18], "_ieInstalled =      \tNO");
  EXPECT_EQ(got[19], "_ieVerStr =         \t");
  EXPECT_EQ(got[20], "_ieFriendlyVerStr = \t");
}

TEST_F(HelpProbeTest, ViewerWithoutVersionCountsAsNotInstalled) {
  InstallViewer({});
  fake.system.versions.clear();
  const HelpEnvironment& env = ProbeHelpEnvironment();
  EXPECT_FALSE(env.hhInstalled);
  EXPECT_EQ(env.hhVerStr, "");
  EXPECT_EQ(env.hhFriendlyVerStr, "");
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

TEST_F(HelpProbeTest, UnwritableModuleDirectoryLogsToTheTemporaryDirectory) {
  fake.files.readOnlyDirectories.insert(kModuleDir);
  fake.files.files["/tmp/HHDebug.txt"] = "old report";
  fake.process.arguments = {"./bin/dorvane", "-debug"};

  const HelpEnvironment& env = ProbeHelpEnvironment();

  EXPECT_EQ(env.logDir, "/tmp");
  EXPECT_EQ(Report(), "(none)");
  const std::string report = Report("/tmp");
  EXPECT_EQ(report.substr(0, 40), "Filename:             \t/tmp/HHDebug.txt\n");
  EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 22);
}

// An installed program (its help file in the installation's data directory, not beside it)
// leaves its folder, the system's, alone, even for the superuser who may write there; the user
// is told where the report went.
TEST_F(HelpProbeTest, AnInstalledProgramsFolderNeverTakesTheReport) {
  fake.files.files[platform::InstalledFilePath(kModuleDir, kHelpFileName,
                                               platform::DataDirFromExecutable())] = "aide";
  fake.process.arguments = {"/usr/bin/dorvane", "/debug"};

  const HelpEnvironment& env = ProbeHelpEnvironment();

  EXPECT_EQ(env.logDir, "/tmp");
  EXPECT_EQ(Report(), "(none)");
  const std::string report = Report("/tmp");
  EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 22);
  EXPECT_EQ(env.reportNote, "Rapport de diagnostic écrit dans /tmp/HHDebug.txt.");

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
