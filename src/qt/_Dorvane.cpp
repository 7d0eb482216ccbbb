#include "qt/_Dorvane.h"

#include <QPixmap>
#include <QTimer>

#include <cstdio>
#include <memory>

#include "qt/Application.h"
#include "qt/Fonts.h"
#include "qt/MainWindow.h"
#include "dates/DateLocale.h"
#include "qt/AboutWindow.h"
#include "qt/SearchWindow.h"
#include "help/hh.h"
#include "help/hh_funcs.h"
#include "platform/QtLocaleSource.h"

namespace dorvane {

namespace {

void ReloadDateLocale() { LoadDateLocale(*platform::UserLocaleSource()); }

// Step 1 of start-up: the program's modules, before any window exists.
void StartModules() {
  ReloadDateLocale();
  LoadHelpViewer();
  ProbeHelpEnvironment();
}

// Shut-down, after the windows are gone: the modules in reverse order. The viewer goes while
// the application object still lives, since its windows are Qt's.
void StopModules() { UnloadHelpViewer(); }

void SettleEvents() {
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

// The About dialog as its command opens it. The dialog is modal: it is grabbed and closed
// from within its own loop.
QPixmap GrabAboutBox(TForm1& form1) {
  QPixmap picture;
  QTimer::singleShot(0, [&picture] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (dialog == nullptr) return;
    if (qobject_cast<TFAbout*>(dialog) != nullptr) {
      SettleEvents();
      dialog->grab();  // its lines take their final size at their first paint
      picture = dialog->grab();
    }
    dialog->close();
  });
  RunHandler([&form1] { form1.Aproposde1Click(); });
  return picture;
}

// Writes the chosen window to a PNG, as the widget grabs it (client area with the menu bar).
int TakeScreenshot(TApplication& app, TForm1& form1, TForm2& form2, const ScreenshotRequest& request) {
  bool failed = false;
  app.SetErrorBox([&failed](const std::string& text) {
    std::fprintf(stderr, "%s\n", text.c_str());
    failed = true;
  });
  form1.ShowCentred();
  SettleEvents();
  if (request.date) {
    // Through the search dialog, as a user would type it.
    form2.Edit1->setText(QString::number(request.date->year));
    form2.Edit2->setText(QString::number(request.date->month));
    form2.Edit3->setText(QString::number(request.date->day));
    RunHandler([&form2] { form2.btnAfficherClick(); });
    if (failed) return 1;
  }
  QPixmap picture;
  if (request.window == ScreenshotWindow::kAbout) {
    picture = GrabAboutBox(form1);
  } else {
    QWidget* window = &form1;
    if (request.window == ScreenshotWindow::kSearch) {
      RunHandler([&form1] { form1.tlbtnRechercherClick(); });
      window = &form2;
    }
    SettleEvents();
    picture = window->grab();
  }
  const QString file = QString::fromStdString(request.file);
  if (picture.isNull() || !picture.save(file, "PNG")) {
    std::fprintf(stderr, "Impossible d'écrire %s.\n", request.file.c_str());
    return 1;
  }
  return failed ? 1 : 0;
}

}  // namespace

int RunDorvane(int& argc, char** argv, const LaunchOptions& options) {
  TApplication app(argc, argv);
  app.SetOnLocaleChange(ReloadDateLocale);

  // 1. The modules: the locale texts, then the help binding and its probe.
  StartModules();

  // 2. The application object and its title; the windows' font and Qt's French texts.
  app.SetTitle("Dorvane");
  app.setWindowIcon(QIcon(QStringLiteral(":/dorvane/dorvane.svg")));
  QApplication::setFont(FormFont());
  app.LoadFrenchTranslations();

  int exitCode = 0;
  {
    // 3 and 4. The main window, whose FormCreate ends its construction; 5. the search dialog,
    // hidden.
    std::unique_ptr<TForm1> form1;
    std::unique_ptr<TForm2> form2;
    try {
      form1 = std::make_unique<TForm1>();
      form2 = std::make_unique<TForm2>(form1.get(), form1->Calendar1->Calendar());
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
        QObject::connect(form1.get(), &TForm1::Closed, &app, &QCoreApplication::quit);
        form1->ShowCentred();
        exitCode = TApplication::exec();
      }
    }
    // Shut-down: the windows go first; the main window's FormDestroy runs on the way.
    form2.reset();
    form1.reset();
  }
  StopModules();
  return exitCode;
}

}  // namespace dorvane
