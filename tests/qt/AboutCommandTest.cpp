#include <gtest/gtest.h>

#include <QAction>
#include <QScreen>
#include <QTimer>

#include "QtTestApp.h"
#include "dates/Formatting.h"
#include "platform/MemoryStatus.h"
#include "platform/Services.h"
#include "qt/AboutWindow.h"
#include "qt/MainWindow.h"
#include "qt/StatusBar.h"

namespace dorvane {
namespace {

// The menu item shows the dialog over the main window, whose clock keeps ticking meanwhile.
TEST(AboutCommandTest, TheDialogStandsOverTheMainWindowAndTheClockGoesOn) {
  testing::ClockOverride clock({2005, 3, 7, 8, 0, 0, 0});
  platform::FixedMemoryStatus memory{platform::MemoryFigures{8ull << 30, 25}};
  const platform::ServicesScope services{{.memory = &memory, .beep = [] {}}};
  testing::TestApp();
  MainWindow form1;
  form1.show();
  testing::WhileModal<AboutWindow>(
      [&] { form1.Controls().Get<QAction>("Aproposde1")->trigger(); },
      [&](AboutWindow& dialog) {
        EXPECT_EQ(dialog.parentWidget(), &form1);
        EXPECT_EQ(dialog.windowModality(), Qt::ApplicationModal);
        // Centred on the screen, not on the main window.
        const QPoint centre = dialog.screen()->availableGeometry().center();
        EXPECT_LE((dialog.frameGeometry().center() - centre).manhattanLength(), 2);
        clock.Set({2005, 3, 7, 9, 30, 15, 0});
        testing::Tick(*form1.Controls().Get<QTimer>("Timer1"));
        EXPECT_EQ(form1.Controls().Get<TStatusBar>("StatusBar1")->PanelText(2),
                  ClockText(CurrentMoment()));
      });
  EXPECT_TRUE(form1.findChildren<AboutWindow*>().isEmpty()) << "the dialog outlived its showing";
}

}  // namespace
}  // namespace dorvane
