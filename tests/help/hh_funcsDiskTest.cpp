// The probe on Linux's real file system, where writes must not go through a planted link.
#include "help/hh_funcs.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "FakePlatform.h"
#include "TempDir.h"
#include "platform/Files.h"
#include "platform/Services.h"

namespace dorvane {
namespace {

using testing::TempDir;

class HelpProbeOnDiskTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(::mkdir(moduleDir.c_str(), 0700), 0);
    ASSERT_EQ(::mkdir(tempDir.c_str(), 0700), 0);
    process.moduleFileName = moduleDir + "/dorvane";
    process.arguments = {moduleDir + "/dorvane", "-debug"};
    system.tempDirectory = tempDir;
  }

  TempDir root;
  const std::string moduleDir = root / "app";
  const std::string tempDir = root / "tmp";
  testing::FakeProcess process;
  testing::FakeSystemInfo system;
  testing::FakeRegistry registry;
  platform::ServicesScope services{{.registry = &registry, .process = &process, .system = &system}};
};

TEST_F(HelpProbeOnDiskTest, ReportReplacesAPlantedLinkAndIsOwnerOnly) {
  const std::string victim = root / "victim";
  std::ofstream(victim) << "precious";
  const std::string report = moduleDir + "/HHDebug.txt";
  ASSERT_EQ(::symlink(victim.c_str(), report.c_str()), 0);

  const HelpEnvironment& env = ProbeHelpEnvironment();

  EXPECT_EQ(env.logDir, moduleDir);
  EXPECT_EQ(testing::ReadFileBytes(victim), "precious");
  struct stat st {};
  ASSERT_EQ(::lstat(report.c_str(), &st), 0);
  EXPECT_TRUE(S_ISREG(st.st_mode));
  EXPECT_EQ(st.st_mode & 077, 0u);
  const std::string text = testing::ReadFileBytes(report);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 22);
  EXPECT_EQ(text.rfind("Filename:             \t" + report + "\n", 0), 0u);
  EXPECT_FALSE(platform::SystemFiles().FileExists(moduleDir + "/$_Temp_$.$$$"));
}

TEST_F(HelpProbeOnDiskTest, MissingModuleDirectoryLogsToTheTemporaryDirectory) {
  process.moduleFileName = root / "gone/dorvane";
  const HelpEnvironment& env = ProbeHelpEnvironment();
  EXPECT_EQ(env.logDir, tempDir);
  EXPECT_TRUE(platform::SystemFiles().FileExists(tempDir + "/HHDebug.txt"));
}

}  // namespace
}  // namespace dorvane
