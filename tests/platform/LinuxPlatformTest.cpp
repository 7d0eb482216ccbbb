#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "TempDir.h"
#include "platform/DynamicLibrary.h"
#include "platform/Files.h"
#include "platform/Process.h"
#include "platform/Registry.h"
#include "platform/Settings.h"
#include "platform/SystemInfo.h"

namespace dorvane::platform {
namespace {

using testing::TempDir;

// Puts an environment variable back as it was once the test is over.
class KeptVariable {
 public:
  explicit KeptVariable(const char* name) : name_(name) {
    if (const char* value = std::getenv(name)) value_ = value;
  }
  ~KeptVariable() { value_ ? ::setenv(name_, value_->c_str(), 1) : ::unsetenv(name_); }

 private:
  const char* name_;
  std::optional<std::string> value_;
};

TEST(SharedObjectVersion, ReadsTheNumericSuffix) {
  struct Case {
    const char* name;
    std::optional<VersionNumbers> version;
  } cases[] = {
      {"libfoo.so.1.2.3", VersionNumbers{1, 2, 3, 0}},
      {"libfoo.so.6", VersionNumbers{6, 0, 0, 0}},
      {"libfoo.so.4.74.9273.0", VersionNumbers{4, 74, 9273, 0}},
      {"libfoo.so.65535.0", VersionNumbers{65535, 0, 0, 0}},
      {"libfoo.so.1.2.so.3", VersionNumbers{3, 0, 0, 0}},
  };
  for (const Case& c : cases) EXPECT_EQ(SharedObjectVersion(c.name), c.version) << c.name;
  for (const char* name :
       {"libfoo.so", "libfoo.so.", "libfoo.so.1.", "libfoo.so.1..2", "libfoo.so.1.2.3.4.5",
        "libfoo.so.65536", "libfoo.so.1.2a", "libfoo.so.-1", "Shdocvw.dll", ""})
    EXPECT_EQ(SharedObjectVersion(name), std::nullopt) << name;
}

TEST(KernelVersion, TakesTheLeadingNumbers) {
  struct Case {
    const char* release;
    std::uint32_t major, minor, build;
  } cases[] = {
      {"6.1.0-18-amd64", 6, 1, 0},
      {"6.18.44-fc-v1300", 6, 18, 44},
      {"5.10", 5, 10, 0},
      {"4.19.0.7", 4, 19, 0},
      {"", 0, 0, 0},
      {"x", 0, 0, 0},
  };
  for (const Case& c : cases) {
    const PlatformVersion v = KernelVersion("Linux", c.release);
    EXPECT_EQ(v.major, c.major) << c.release;
    EXPECT_EQ(v.minor, c.minor) << c.release;
    EXPECT_EQ(v.build, c.build) << c.release;
  }
}

TEST(LocaleIdOfName, KnownLocalesHaveTheirWindowsIdentifier) {
  struct Case {
    const char* name;
    std::uint32_t id;
  } cases[] = {
      {"fr_FR.UTF-8", 0x040C}, {"fr_FR", 0x040C},       {"fr_FR@euro", 0x040C},
      {"fr-FR", 0x040C},       {"fr_CA.UTF-8", 0x0C0C}, {"fr_BE.UTF-8", 0x080C},
      {"en_US.UTF-8", 0x0409}, {"de_DE.UTF-8", 0x0407},
  };
  for (const Case& c : cases) EXPECT_EQ(LocaleIdOfName(c.name), c.id) << c.name;
  for (const char* name : {"C.UTF-8", "C", "POSIX", "", "fr", "xx_YY.UTF-8", "fr_FRX"})
    EXPECT_EQ(LocaleIdOfName(name), 0u) << name;
}

// The user's own temporary directory: $TMPDIR, else $XDG_RUNTIME_DIR, else one of the user's
// own in the shared /tmp, made owner-only.
TEST(LinuxSystemInfo, TemporaryDirectoryIsTheUsersOwn) {
  const KeptVariable tmpdir("TMPDIR"), runtime("XDG_RUNTIME_DIR");
  ::setenv("TMPDIR", "/var/somewhere", 1);
  ::setenv("XDG_RUNTIME_DIR", "/run/user/1000", 1);
  EXPECT_EQ(SystemSystemInfo().TempDirectory(), "/var/somewhere");
  ::setenv("TMPDIR", "", 1);
  EXPECT_EQ(SystemSystemInfo().TempDirectory(), "/run/user/1000");
  ::unsetenv("TMPDIR");
  ::unsetenv("XDG_RUNTIME_DIR");
  const std::string own = "/tmp/dorvane-" + std::to_string(::geteuid());
  EXPECT_EQ(SystemSystemInfo().TempDirectory(), own);
  struct stat st {};
  ASSERT_EQ(::lstat(own.c_str(), &st), 0);
  EXPECT_TRUE(S_ISDIR(st.st_mode));
  EXPECT_EQ(st.st_mode & 077, 0u);
}

TEST(LinuxSystemInfo, SystemDirectoryHoldsTheCLibrary) {
  const std::string dir = SystemSystemInfo().SystemDirectory();
  EXPECT_TRUE(SystemFiles().DirectoryExists(dir)) << dir;
  EXPECT_TRUE(SystemFiles().FileExists(dir + "/libc.so.6")) << dir;
  EXPECT_FALSE(SystemFiles().FileExists(dir + "/Shdocvw.dll"));
}

TEST(LinuxSystemInfo, FileVersionFollowsLinksToTheVersionedFile) {
  TempDir dir;
  dir.Write("libviewer.so.4.74.9273", "");
  ASSERT_EQ(::symlink("libviewer.so.4.74.9273", (dir / "libviewer.so").c_str()), 0);
  dir.Write("plain.so", "");
  EXPECT_EQ(SystemSystemInfo().FileVersion(dir / "libviewer.so"), (VersionNumbers{4, 74, 9273, 0}));
  EXPECT_EQ(SystemSystemInfo().FileVersion(dir / "plain.so"), std::nullopt);
  EXPECT_EQ(SystemSystemInfo().FileVersion(dir / "absent.so.1"), std::nullopt);
}

TEST(LinuxProcess, ModuleIsThisTestAndArgumentsStartWithItsPath) {
  const std::string module = SystemProcess().ModuleFileName();
  ASSERT_FALSE(module.empty());
  EXPECT_EQ(module.front(), '/');
  EXPECT_NE(module.find("platform_test"), std::string::npos) << module;
  const auto args = SystemProcess().Arguments();
  ASSERT_FALSE(args.empty());
  EXPECT_NE(args[0].find("platform_test"), std::string::npos) << args[0];
}

TEST(LinuxFiles, InstalledFileBesideTheExecutableElseInstalled) {
  TempDir dir;
  EXPECT_EQ(InstalledFilePath(dir.Path(), "", "../lib/dorvane"), "");
  EXPECT_EQ(InstalledFilePath(dir.Path(), "libviewer.so", "../lib/dorvane"),
            dir.Path() + "/../lib/dorvane/libviewer.so");
  dir.Write("libviewer.so", "");
  EXPECT_EQ(InstalledFilePath(dir.Path(), "libviewer.so", "../lib/dorvane"), dir / "libviewer.so");
}

TEST(LinuxRegistry, HoldsNoOtherKey) {
  const Registry& registry = SystemRegistry();
  EXPECT_EQ(registry.ReadDefaultValue(RegistryRoot::ClassesRoot, "CLSID\\{00000000}"),
            std::nullopt);
  EXPECT_EQ(registry.ReadDefaultValue(RegistryRoot::ClassesRoot, ""), std::nullopt);
}

class LinuxFilesTest : public ::testing::Test {
 protected:
  void SetUp() override { oldMask_ = ::umask(0); }
  void TearDown() override { ::umask(oldMask_); }

  FileSystem& files = SystemFiles();
  TempDir dir;

 private:
  mode_t oldMask_ = 0;
};

// The writability test leaves nothing, and never touches a name that was there.
TEST_F(LinuxFilesTest, CanCreateLeavesNothingAndAppendAddsOwnerOnly) {
  EXPECT_TRUE(files.CanCreateFile(dir / "new"));
  EXPECT_FALSE(files.FileExists(dir / "new"));

  dir.Write("old", "contents");
  EXPECT_FALSE(files.CanCreateFile(dir / "old"));
  EXPECT_EQ(testing::ReadFileBytes(dir / "old"), "contents");

  EXPECT_TRUE(files.AppendText(dir / "log", "one\n"));
  EXPECT_TRUE(files.AppendText(dir / "log", "two\n"));
  EXPECT_EQ(testing::ReadFileBytes(dir / "log"), "one\ntwo\n");
  EXPECT_EQ(std::filesystem::status(dir / "log").permissions(),
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);

  EXPECT_TRUE(files.DeleteFile(dir / "log"));
  EXPECT_FALSE(files.FileExists(dir / "log"));
  EXPECT_FALSE(files.DeleteFile(dir / "log"));
}

TEST_F(LinuxFilesTest, WritesNeverGoThroughASymbolicLink) {
  dir.Write("target", "precious");
  ASSERT_EQ(::symlink((dir / "target").c_str(), (dir / "link").c_str()), 0);
  ASSERT_EQ(::symlink((dir / "nowhere").c_str(), (dir / "dangling").c_str()), 0);

  EXPECT_TRUE(files.IsSymbolicLink(dir / "link"));
  EXPECT_TRUE(files.IsSymbolicLink(dir / "dangling"));
  EXPECT_FALSE(files.IsSymbolicLink(dir / "target"));
  EXPECT_TRUE(files.FileExists(dir / "link"));

  EXPECT_FALSE(files.AppendText(dir / "link", "evil"));
  EXPECT_FALSE(files.CanCreateFile(dir / "link"));
  EXPECT_FALSE(files.AppendText(dir / "dangling", "evil"));
  EXPECT_FALSE(files.CanCreateFile(dir / "dangling"));
  EXPECT_TRUE(files.IsSymbolicLink(dir / "dangling"));
  EXPECT_EQ(testing::ReadFileBytes(dir / "target"), "precious");
  EXPECT_FALSE(files.FileExists(dir / "nowhere"));

  // Deleting a link removes the link, never what it points to.
  EXPECT_TRUE(files.DeleteFile(dir / "link"));
  EXPECT_FALSE(files.IsSymbolicLink(dir / "link"));
  EXPECT_EQ(testing::ReadFileBytes(dir / "target"), "precious");
}

// A hard link planted under the name of a file we write must not carry our writes to the
// file it shares: it is neither emptied nor appended to.
TEST_F(LinuxFilesTest, WritesNeverGoThroughAHardLink) {
  dir.Write("target", "precious");
  ASSERT_EQ(::link((dir / "target").c_str(), (dir / "$_Temp_$.$$$").c_str()), 0);
  ASSERT_EQ(::link((dir / "target").c_str(), (dir / "HHDebug.txt").c_str()), 0);
  EXPECT_FALSE(files.CanCreateFile(dir / "$_Temp_$.$$$"));
  EXPECT_FALSE(files.AppendText(dir / "HHDebug.txt", "report"));
  EXPECT_EQ(testing::ReadFileBytes(dir / "target"), "precious");
}

// A directory or a pipe is no file, and neither is written (a pipe without blocking).
TEST_F(LinuxFilesTest, RefusesDirectoriesAndFifosWithoutBlocking) {
  dir.Write("file", "x");
  EXPECT_TRUE(files.FileExists(dir / "file"));
  EXPECT_FALSE(files.DirectoryExists(dir / "file"));
  EXPECT_TRUE(files.DirectoryExists(dir.Path()));
  EXPECT_FALSE(files.FileExists(dir / "absent"));
  EXPECT_FALSE(files.FileExists(""));
  ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
  EXPECT_FALSE(files.AppendText(dir / "fifo", "x"));
  EXPECT_FALSE(files.CanCreateFile(dir / "fifo"));
  EXPECT_FALSE(files.FileExists(dir / "fifo"));
  ASSERT_EQ(::mkdir((dir / "sub").c_str(), 0700), 0);
  EXPECT_FALSE(files.FileExists(dir / "sub"));
  EXPECT_FALSE(files.AppendText(dir / "sub", "x"));
  EXPECT_FALSE(files.CanCreateFile(dir / "sub"));
  EXPECT_FALSE(files.CanCreateFile(dir / "missing/file"));
}

TEST_F(LinuxFilesTest, AnotherUsersFileIsNotWritten) {
  dir.Write("theirs", "their text");
  // Only root can give a file away; elsewhere a file of another user is what /tmp holds.
  if (::geteuid() != 0) GTEST_SKIP() << "needs to give a file to another user";
  ASSERT_EQ(::chown((dir / "theirs").c_str(), 12345, 12345), 0);
  EXPECT_FALSE(files.AppendText(dir / "theirs", "ours"));
  EXPECT_FALSE(files.CanCreateFile(dir / "theirs"));
  EXPECT_EQ(testing::ReadFileBytes(dir / "theirs"), "their text");
  // Nor is a file made in a directory of another user's.
  ASSERT_EQ(::mkdir((dir / "their-dir").c_str(), 0777), 0);
  ASSERT_EQ(::chown((dir / "their-dir").c_str(), 12345, 12345), 0);
  EXPECT_FALSE(files.CanCreateFile(dir / "their-dir/file"));
  EXPECT_FALSE(files.FileExists(dir / "their-dir/file"));
}

TEST(LinuxLibraries, LoadsByPathAndFindsExportsByName) {
  DynamicLibraries& libs = SystemLibraries();
  EXPECT_EQ(libs.Load(""), nullptr);
  EXPECT_EQ(libs.Load("/nonexistent/libnothing.so"), nullptr);

  LibraryHandle lib = libs.Load(TEST_PLUGIN_PATH);
  ASSERT_NE(lib, nullptr);
  EXPECT_NE(libs.FindExport(lib, "g_testPluginData"), nullptr);
  EXPECT_EQ(libs.FindExport(lib, "HtmlHelpW"), nullptr);
  libs.Release(lib);
}

// Two libraries loaded one after the other are two, though each was loaded through a
// descriptor that the other could have had the number of.
TEST(LinuxLibraries, ALibraryLoadedLaterIsNeverTakenForAnother) {
  TempDir dir;
  std::filesystem::copy_file(TEST_PLUGIN_PATH, dir / "libcopy.so");
  DynamicLibraries& libs = SystemLibraries();
  LibraryHandle first = libs.Load(TEST_PLUGIN_PATH);
  LibraryHandle second = libs.Load(dir / "libcopy.so");
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(first, second);
  EXPECT_NE(libs.FindExport(first, "g_testPluginData"),
            libs.FindExport(second, "g_testPluginData"));
  libs.Release(second);
  libs.Release(first);
}

// A pipe or a directory named as the library would block or fail the loader: refused at once.
TEST(LinuxLibraries, OnlyRegularFilesAreLoaded) {
  TempDir dir;
  ASSERT_EQ(::mkfifo((dir / "libfifo.so").c_str(), 0600), 0);
  EXPECT_EQ(SystemLibraries().Load(dir / "libfifo.so"), nullptr);
  EXPECT_EQ(SystemLibraries().Load(dir.Path()), nullptr);
}

TEST(LinuxLibraries, ABareNameIsLoadedFromTheCurrentDirectoryNotSearched) {
  // "libc.so.6" would be found along the library path; by path it names ./libc.so.6.
  TempDir dir;
  const std::string cwd = std::filesystem::current_path().string();
  std::filesystem::current_path(dir.Path());
  EXPECT_EQ(SystemLibraries().Load("libc.so.6"), nullptr);
  std::filesystem::current_path(cwd);
}

// The settings file: made with its folders; its other lines, sections and comments kept as
// they are; a value that is no yes or no, a file that is not one, a folder that cannot be made
// read as nothing stored and refuse the write, without harm.
TEST(LinuxSettings, KeepsTheFilesOtherLinesAndRefusesWhatItCannotStore) {
  const testing::TempDir dir;
  const KeptVariable kept("XDG_CONFIG_HOME");
  const std::string config = dir / "config";
  ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  Settings& settings = SystemSettings();
  const std::string file = config + "/Dorvane/Dorvane.conf";

  EXPECT_EQ(settings.ReadBool(kShowHolidays), std::nullopt);
  ASSERT_TRUE(settings.WriteBool(kShowHolidays, true));
  EXPECT_EQ(testing::ReadFileBytes(file), "[General]\nShowHolidays=true\n");
  EXPECT_EQ(settings.ReadBool(kShowHolidays), true);

  dir.Write("config/Dorvane/Dorvane.conf",
            "; made by hand\r\n[Window]\r\nShowHolidays=true\r\n[General]\r\nShowWeekNumbers = "
            "true\r\nColour=bleu\r\n\r\n[Other]\r\nx=1");
  EXPECT_EQ(settings.ReadBool(kShowHolidays), std::nullopt);  // not in [General]
  EXPECT_EQ(settings.ReadBool(kShowWeekNumbers), true);
  ASSERT_TRUE(settings.WriteBool(kShowWeekNumbers, false));
  ASSERT_TRUE(settings.WriteBool(kShowHolidays, false));
  EXPECT_EQ(testing::ReadFileBytes(file),
            "; made by hand\r\n[Window]\r\nShowHolidays=true\r\n[General]\r\nShowWeekNumbers = "
            "false\r\nColour=bleu\r\nShowHolidays=false\r\n\r\n[Other]\r\nx=1");
  EXPECT_EQ(settings.ReadBool(kShowWeekNumbers), false);

  dir.Write("config/Dorvane/Dorvane.conf",
            std::string("[General]\nShowHolidays=oui\n") + '\0' + '\xff');
  EXPECT_EQ(settings.ReadBool(kShowHolidays), std::nullopt);

  std::filesystem::remove(file);
  std::filesystem::create_directory(file);  // a folder where the file should be
  EXPECT_EQ(settings.ReadBool(kShowHolidays), std::nullopt);
  EXPECT_FALSE(settings.WriteBool(kShowHolidays, true));
  EXPECT_TRUE(std::filesystem::is_directory(file));

  const std::string blocked = dir.Write("blocked", "a file, not a folder");
  ::setenv("XDG_CONFIG_HOME", blocked.c_str(), 1);
  EXPECT_FALSE(settings.WriteBool(kShowHolidays, true));
  EXPECT_EQ(settings.ReadBool(kShowHolidays), std::nullopt);
}

}  // namespace
}  // namespace dorvane::platform
