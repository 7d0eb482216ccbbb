#include "help/hh.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakePlatform.h"
#include "platform/Desktop.h"
#include "platform/Files.h"

namespace dorvane {
namespace {

using testing::FakePlatform;

const std::string kKey(platform::kHtmlHelpViewerKey);
const std::string kViewer = "/opt/viewer/libviewer.so";

// What the viewer was asked: the owner and file of each call through the 8-bit entry ("" for
// none), or "(wide)". The system's viewer and our plugin show what the calls themselves do.
std::vector<std::pair<void*, std::string>> g_calls;

void* DORVANE_SYSTEM_CALL FakeHtmlHelpA(void* owner, const char* file, unsigned int,
                                        std::uintptr_t) {
  g_calls.emplace_back(owner, file != nullptr ? file : "");
  return nullptr;
}
void* DORVANE_SYSTEM_CALL FakeHtmlHelpW(void* owner, const char16_t*, unsigned int,
                                        std::uintptr_t) {
  g_calls.emplace_back(owner, "(wide)");
  return nullptr;
}

template <typename Entry>
void* AddressOf(Entry* f) {
  return reinterpret_cast<void*>(f);
}

class HelpBindingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_calls.clear();
    fake.process.moduleFileName = "/opt/dorvane/bin/dorvane";
  }
  void TearDown() override { UnloadHelpViewer(); }

  // A viewer registered at kViewer, present on disk, exporting `exports`.
  void InstallViewer(const std::vector<std::string>& exports) {
    fake.registry.keys[kKey] = kViewer;
    fake.files.directories.insert("/opt/viewer");
    fake.files.files[kViewer] = "";
    auto& lib = fake.libraries.libraries[kViewer];
    for (const auto& name : exports) {
      lib[name] = name == "HtmlHelpW" ? AddressOf(&FakeHtmlHelpW) : AddressOf(&FakeHtmlHelpA);
    }
  }

  static void ExpectNotLoaded() {
    EXPECT_EQ(HelpViewer().handle, nullptr);
    EXPECT_EQ(HelpViewer().helpEntry, nullptr);
  }

  FakePlatform fake;
};

// A viewer that cannot be used leaves the binding empty and the help command failing in French,
// without a call.
TEST_F(HelpBindingTest, AViewerThatCannotBeUsedStaysNotLoadedAndSilent) {
  const struct {
    const char* name;
    std::optional<std::optional<std::string>> registered;  // outer: key present; inner: text
    bool fileAtValue;                                      // a file lies at the registered path
    bool directoryAtValue;                                 // a directory lies there
    bool loadable;                                         // the library loads
  } cases[] = {
      {"NoKey", std::nullopt, false, false, false},
      {"ValueNotText", std::optional<std::string>(), false, false, false},
      {"EmptyValue", std::optional<std::string>(""), false, false, false},
      {"MissingFile", std::optional<std::string>(kViewer), false, false, true},
      {"Directory", std::optional<std::string>("/opt/viewer"), false, true, true},
      {"EnvironmentReference", std::optional<std::string>("$HOME/viewer.so"), false, false, false},
      {"PercentReference", std::optional<std::string>("%HOME%/viewer.so"), false, false, false},
      {"LoadFails", std::optional<std::string>(kViewer), true, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FakePlatform platform;  // a fresh one for each case
    if (c.registered) platform.registry.keys[kKey] = *c.registered;
    const std::string path = c.registered && *c.registered ? **c.registered : std::string();
    if (c.fileAtValue) platform.files.files[path] = "";
    if (c.directoryAtValue) platform.files.directories.insert(path);
    if (c.loadable) platform.libraries.libraries[path] = {{"HtmlHelpA", AddressOf(&FakeHtmlHelpA)}};
    // The expanded form of an environment reference exists and loads; it must not be used.
    platform.files.files["/home/user/viewer.so"] = "";
    platform.libraries.libraries["/home/user/viewer.so"] = {
        {"HtmlHelpA", AddressOf(&FakeHtmlHelpA)}};

    EXPECT_EQ(LocateHelpViewer(), c.fileAtValue ? path : "");
    LoadHelpViewer();
    ExpectNotLoaded();
    EXPECT_TRUE(platform.libraries.loads.empty());
    try {
      ShowProgramHelp();
      ADD_FAILURE() << "the help command went through without a viewer";
    } catch (const EHelpViewerMissing& e) {
      EXPECT_STREQ(e.what(), "Aucun visualiseur d'aide n'est installé.");
    }
    CloseHelpWindows();
    EXPECT_TRUE(g_calls.empty());
  }
}

// Each entry is bound when the viewer exports it, and only then; the commands go through the
// 8-bit entry alone, so without it they never call the viewer.
TEST_F(HelpBindingTest, BindsTheEntriesTheViewerExports) {
  const struct {
    std::vector<std::string> exports;
    bool ansi, wide;
  } cases[] = {
      {{"HtmlHelpA", "HtmlHelpW"}, true, true},
      {{"HtmlHelpW"}, false, true},
      {{"HtmlHelpA"}, true, false},
  };
  for (const auto& c : cases) {
    fake.libraries.libraries.clear();
    InstallViewer(c.exports);
    EXPECT_EQ(LocateHelpViewer(), kViewer);
    LoadHelpViewer();
    const HelpViewerBinding& v = HelpViewer();
    EXPECT_NE(v.handle, nullptr);
    EXPECT_EQ(v.ansiEntry, c.ansi ? &FakeHtmlHelpA : nullptr);
    EXPECT_EQ(v.helpEntry, v.ansiEntry);
    EXPECT_EQ(v.wideEntry, c.wide ? &FakeHtmlHelpW : nullptr);
    if (!c.ansi) {
      EXPECT_THROW(ShowProgramHelp(), EHelpViewerMissing);
    }
    CloseHelpWindows();
    UnloadHelpViewer();
  }
  EXPECT_EQ(g_calls.size(), 2u) << "the close-all command of the viewers with the 8-bit entry";
}

TEST_F(HelpBindingTest, LoadTwiceAndUnloadTwiceChangeNothing) {
  InstallViewer({"HtmlHelpA", "HtmlHelpW"});
  LoadHelpViewer();
  const void* handle = HelpViewer().handle;
  LoadHelpViewer();
  EXPECT_EQ(HelpViewer().handle, handle);
  UnloadHelpViewer();
  ExpectNotLoaded();
  UnloadHelpViewer();
  ExpectNotLoaded();
  EXPECT_EQ(fake.libraries.releases, std::vector<std::string>{kViewer});

  // Loading again after an unload binds anew.
  LoadHelpViewer();
  EXPECT_EQ(HelpViewer().helpEntry, &FakeHtmlHelpA);
  EXPECT_EQ(fake.libraries.loads, std::vector<std::string>(2, kViewer));
}

TEST_F(HelpBindingTest, HelpCommandOpensTheHelpFileBesideTheExecutable) {
  fake.files.files["/opt/dorvane/bin/Dorvane.chm"] = "";
  InstallViewer({"HtmlHelpA", "HtmlHelpW"});
  LoadHelpViewer();
  ShowProgramHelp();
  CloseHelpWindows();
  // Owned by the desktop, so that the help windows are the main window's peers.
  EXPECT_EQ(g_calls, (decltype(g_calls){{platform::DesktopWindow(), "/opt/dorvane/bin/Dorvane.chm"},
                                        {nullptr, ""}}));

  // Installed, the help file is in the data directory (../share/dorvane on Linux; on Windows
  // the help file lies beside the program).
  fake.files.files.erase("/opt/dorvane/bin/Dorvane.chm");
  ShowProgramHelp();
  EXPECT_EQ(g_calls.back().second,
            "/opt/dorvane/bin/" + platform::DataDirFromExecutable() + "/Dorvane.chm");
}

}  // namespace
}  // namespace dorvane
