#pragma once

#include <QApplication>
#include <QTranslator>
#include <QWidget>

#include <string_view>

#include "forms/Application.h"
#include "forms/Handlers.h"
#include "platform/QtText.h"

namespace dorvane {

// The application object on Qt: the shared hooks (title, error box, sound, locale reload,
// failure sink) with Qt's part of them, French texts for Qt's own widgets, and the one top-level
// handler for every exception that escapes an event handler: it is shown in the error box and
// the event loop goes on.
class TApplication : public QApplication, public ApplicationHooks {
  Q_OBJECT

 public:
  TApplication(int& argc, char** argv);

  // Qt's own texts (context menus, message box buttons) in French, like the rest of the
  // program. False when Qt's French translations are not installed.
  bool LoadFrenchTranslations();

  bool notify(QObject* receiver, QEvent* event) override;

 protected:
  bool event(QEvent* event) override;

 private:
  void CancelMouseCapture() override {
    if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
  }
  // The application's name, not its display name: Qt would add a display name to every
  // window's caption.
  void ApplyTitle(std::string_view title) override { setApplicationName(QStringFromUtf8(title)); }
  void ShowSystemErrorBox(std::string_view title, std::string_view text) override;
  void SoundBeep() override { beep(); }

  QTranslator translator_;
};

}  // namespace dorvane
