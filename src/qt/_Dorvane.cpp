#include "qt/_Dorvane.h"

#include <QPixmap>
#include <QTimer>

#include <cstdio>
#include <memory>
#include <string>

#include "cli/LaunchOptions.h"
#include "cli/Modules.h"
#include "forms/Application.h"
#include "qt/AboutWindow.h"
#include "qt/Application.h"
#include "qt/Fonts.h"
#include "qt/MainWindow.h"
#include "qt/SearchWindow.h"

namespace dorvane {

namespace {

void SettleEvents() {
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

// The About dialog as its command opens it. The dialog is modal: it is grabbed and closed
// from within its own loop.
QPixmap GrabAboutBox(MainWindow& form1) {
  QPixmap picture;
  QTimer::singleShot(0, [&picture] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (dialog == nullptr) return;
    if (qobject_cast<AboutWindow*>(dialog) != nullptr) {
      SettleEvents();
      dialog->grab();  // its lines take their final size at their first paint
      picture = dialog->grab();
    }
    dialog->close();
  });
  RunHandler([&form1] { form1.Form().Aproposde1Click(); });
  return picture;
}

// Writes the chosen window to a PNG, as the widget grabs it (client area with the menu bar).
int TakeScreenshot(TApplication& app, MainWindow& form1, SearchWindow& form2,
                   const ScreenshotRequest& request) {
  bool failed = false;
  app.SetErrorBox([&failed](const std::string& text) {
    std::fprintf(stderr, "%s\n", text.c_str());
    failed = true;
  });
  form1.ShowCentred();
  SettleEvents();
  if (request.date) {
    // Through the search dialog, as a user would type it.
    form2.Form().TypeDate(*request.date);
    RunHandler([&form2] { form2.Form().btnAfficherClick(); });
    if (failed) return 1;
  }
  QPixmap picture;
  if (request.window == ScreenshotWindow::kAbout) {
    picture = GrabAboutBox(form1);
  } else {
    QWidget* window = &form1;
    if (request.window == ScreenshotWindow::kSearch) {
      RunHandler([&form1] { form1.Form().tlbtnRechercherClick(); });
      window = &form2;
    }
    SettleEvents();
    picture = window->grab();
  }
  const QString file = QString::fromStdString(request.file);
  if (picture.isNull() || !picture.save(file, "PNG")) {
    std::fprintf(stderr, "%s\n", ScreenshotWriteError(request.file).c_str());
    return 1;
  }
  return failed ? 1 : 0;
}

}  // namespace

int RunDorvane(int& argc, char** argv, const LaunchOptions& options) {
  // 1. The modules: the locale texts, then the help binding and its probe, before any window or
  // other thread exists (the toolkit's application starts threads of its own).
  StartModules();

  // 2. The application object and its title; the windows' font and Qt's French texts.
  TApplication app(argc, argv);
  app.SetOnLocaleChange(ReloadDateLocale);
  app.SetTitle(std::string(kApplicationTitle));
  app.setWindowIcon(QIcon(QStringLiteral(":/dorvane/dorvane.svg")));
  QApplication::setFont(FormFont());
  app.LoadFrenchTranslations();

  int exitCode = 0;
  {
    // 3 and 4. The main window, whose FormCreate ends its construction; 5. the search dialog,
    // hidden.
    std::unique_ptr<MainWindow> form1;
    std::unique_ptr<SearchWindow> form2;
    try {
      form1 = std::make_unique<MainWindow>();
      form2 = std::make_unique<SearchWindow>(form1->View(), form1->Form().Calendar1());
      form1->SetSearchDialog(form2.get());
    } catch (...) {
      app.HandleException(std::current_exception());
      exitCode = 1;
    }

    // 6. The event loop, which shows the main window and runs until it is closed.
    if (exitCode == 0) {
      if (options.screenshot) {
        exitCode = TakeScreenshot(app, *form1, *form2, *options.screenshot);
      } else {
        QObject::connect(form1.get(), &MainWindow::Closed, &app, &QCoreApplication::quit);
        form1->ShowCentred();
        exitCode = TApplication::exec();
      }
    }
    // Shut-down: the windows go first; the main window's FormDestroy runs on the way.
    if (form1) form1->SetSearchDialog(nullptr);
    form2.reset();
    form1.reset();
  }
  // While the application object still lives: the viewer's windows are Qt's.
  StopModules();
  return exitCode;
}

}  // namespace dorvane
