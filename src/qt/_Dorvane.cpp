#include "qt/_Dorvane.h"

#include <QPixmap>

#include <cstdio>
#include <memory>
#include <string>

#include "cli/FrontEnd.h"
#include "forms/Layout.h"
#include "qt/Application.h"
#include "qt/Fonts.h"
#include "qt/MainWindow.h"
#include "qt/QtCanvas.h"
#include "qt/SearchWindow.h"
#include "qt/WindowIcon.h"

namespace dorvane {

namespace {

class QtFrontEnd final : public FrontEndWindows<MainWindow, SearchWindow, TApplication> {
 public:
  QtFrontEnd(int& argc, char** argv) : argc_(argc), argv_(argv) {}

  ApplicationHooks& CreateApplication() override {
    app_ = std::make_unique<TApplication>(argc_, argv_);
    // A desktop font larger than the standard size grows the windows with it. Qt scales a whole
    // program crisply, as on a screen of more dpi, by a factor it reads when the application
    // starts: the application starts again with it.
    if (const int percent = TextScalePercent(DesktopFontPixels()); percent != 100) {
      app_.reset();
      const double factor = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble();
      qputenv("QT_SCALE_FACTOR", QByteArray::number((factor > 0 ? factor : 1.0) * percent / 100.0));
      app_ = std::make_unique<TApplication>(argc_, argv_);
    }
    app_->setWindowIcon(WindowIcon(TForm1::kLayout.icon));
    QApplication::setFont(ToQFont(Font()));
    app_->LoadFrenchTranslations();
    return *app_;
  }

  int RunEventLoop() override { return TApplication::exec(); }

  void Settle(ScreenshotWindow) override {
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
  }

  bool SaveWindow(ScreenshotWindow window, const std::string& file) override {
    Window(window)->grab();  // some lines take their final size at their first paint
    const QPixmap picture = Window(window)->grab();
    return !picture.isNull() && picture.save(QString::fromStdString(file), "PNG");
  }

 private:
  QWidget* Window(ScreenshotWindow window) const {
    if (window == ScreenshotWindow::kAbout) return QApplication::activeModalWidget();
    return window == ScreenshotWindow::kSearch ? static_cast<QWidget*>(search_.get()) : main_.get();
  }

  int& argc_;
  char** argv_;
};

}  // namespace

}  // namespace dorvane

// The front end's entry point: the one function its library exports.
extern "C" __attribute__((visibility("default"))) int DorvaneRunWindows(
    int& argc, char** argv, const dorvane::LaunchOptions& options) {
  dorvane::QtFrontEnd frontEnd(argc, argv);
  return dorvane::RunWindows(frontEnd, options, [](const std::string& line) {
    std::fprintf(stderr, "%s\n", line.c_str());
  });
}
