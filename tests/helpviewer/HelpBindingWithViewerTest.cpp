// The program's help binding and the viewer plugin together: the binding finds the plugin
// through the registry, loads it, and its help command and close-all reach real windows.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMainWindow>

#include "FakePlatform.h"
#include "help/hh.h"
#include "platform/Registry.h"

namespace {

int VisibleHelpWindows() {
  int n = 0;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->isVisible() && qobject_cast<QMainWindow*>(w) != nullptr &&
        w->windowTitle() == QStringLiteral("Aide de Dorvane"))
      ++n;
  return n;
}

TEST(HelpBindingWithViewer, HelpCommandOpensTheProgramHelpAndCloseAllClosesIt) {
  // Only the registry and the program's own path are stand-ins: the plugin is loaded for real,
  // and the help file is the one built beside the executable.
  dorvane::testing::FakeRegistry registry;
  registry.keys[std::string(dorvane::platform::kHtmlHelpViewerKey)] = DORVANE_HHCTRL;
  dorvane::testing::FakeProcess process;
  process.moduleFileName = DORVANE_APP_DIR "/dorvane";
  dorvane::platform::SetActiveRegistry(&registry);
  dorvane::platform::SetActiveProcess(&process);

  dorvane::LoadHelpViewer();
  ASSERT_NE(dorvane::HelpViewer().helpEntry, nullptr);
  EXPECT_NE(dorvane::HelpViewer().wideEntry, nullptr);

  dorvane::ShowProgramHelp();
  dorvane::ShowProgramHelp();
  EXPECT_EQ(VisibleHelpWindows(), 2);

  dorvane::CloseHelpWindows();
  EXPECT_EQ(VisibleHelpWindows(), 0);
  dorvane::UnloadHelpViewer();
  EXPECT_EQ(dorvane::HelpViewer().handle, nullptr);
  QCoreApplication::processEvents();

  dorvane::platform::SetActiveRegistry(nullptr);
  dorvane::platform::SetActiveProcess(nullptr);
}

}  // namespace
