// The binding on the real help viewer plugin: found through the registry, loaded by path with
// the system's loader, driven through its help entry as the main window drives it.
#include <QApplication>
#include <QMainWindow>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakePlatform.h"
#include "help/hh.h"
#include "platform/Registry.h"
#include "platform/Services.h"

namespace dorvane {
namespace {

int VisibleHelpWindows() {
  int count = 0;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->isVisible() && qobject_cast<QMainWindow*>(w) != nullptr) ++count;
  }
  return count;
}

class HelpViewerPluginTest : public ::testing::Test {
 protected:
  void SetUp() override {
    registry_.keys[std::string(platform::kHtmlHelpViewerKey)] = DORVANE_HHCTRL;
    // The program lies beside its help file, as in the build tree.
    process_.moduleFileName = std::string(DORVANE_APP_DIR) + "/dorvane";
  }
  void TearDown() override {
    CloseHelpWindows();
    UnloadHelpViewer();
  }

  testing::FakeRegistry registry_;
  testing::FakeProcess process_;
  platform::ServicesScope services_{{.registry = &registry_, .process = &process_}};
};

TEST_F(HelpViewerPluginTest, HelpCommandOpensAWindowPerCallAndDestructionClosesThemAll) {
  LoadHelpViewer();
  ASSERT_NE(HelpViewer().handle, nullptr);
  ASSERT_NE(HelpViewer().helpEntry, nullptr);
  EXPECT_NE(HelpViewer().wideEntry, nullptr);
  EXPECT_EQ(HelpViewer().ansiEntry, HelpViewer().helpEntry);

  ShowProgramHelp();
  EXPECT_EQ(VisibleHelpWindows(), 1);
  ShowProgramHelp();
  EXPECT_EQ(VisibleHelpWindows(), 2);
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->isVisible()) {
      EXPECT_EQ(w->parentWidget(), nullptr);
    }
  }

  CloseHelpWindows();
  EXPECT_EQ(VisibleHelpWindows(), 0);

  UnloadHelpViewer();
  EXPECT_EQ(HelpViewer().handle, nullptr);
  EXPECT_THROW(ShowProgramHelp(), EHelpViewerMissing);
}

TEST_F(HelpViewerPluginTest, NoViewerWhenItsFileIsGone) {
  registry_.keys[std::string(platform::kHtmlHelpViewerKey)] =
      std::string(DORVANE_APP_DIR) + "/libmissing_hhctrl.so";
  LoadHelpViewer();
  EXPECT_EQ(HelpViewer().handle, nullptr);
  EXPECT_THROW(ShowProgramHelp(), EHelpViewerMissing);
}

}  // namespace
}  // namespace dorvane
