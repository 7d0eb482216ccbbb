#include "qt/Application.h"

#include <QLibraryInfo>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>

namespace dorvane {

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
  // Ties the windows to the desktop entry, whose icon the desktop then shows for them.
  setDesktopFileName(QStringLiteral("dorvane"));
}

bool TApplication::LoadFrenchTranslations() {
  removeTranslator(&translator_);
  return translator_.load(QStringLiteral("qtbase_fr"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
         installTranslator(&translator_);
}

void TApplication::ShowSystemErrorBox(std::string_view title, std::string_view text) {
  // Parented to the active window, the box opens on that window's screen; being application
  // modal, it disables every other window until it closes.
  QPointer<QWidget> active = QApplication::activeWindow();
  QPointer<QWidget> focus = QApplication::focusWidget();
  QMessageBox box(QMessageBox::Critical, QStringFromUtf8(title), QStringFromUtf8(text),
                  QMessageBox::Ok, active);
  // The message may quote what the user typed: it is shown as it stands, never as markup.
  box.setTextFormat(Qt::PlainText);
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
  if (active) active->activateWindow();
  if (focus) focus->setFocus(Qt::OtherFocusReason);
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
  // A window of ours activated while a modal window shows gives the activation back to it,
  // after the activation in progress, not within it.
  QWidget* modal =
      event->type() == QEvent::WindowActivate ? QApplication::activeModalWidget() : nullptr;
  if (modal != nullptr && receiver != modal && receiver->isWidgetType() &&
      static_cast<QWidget*>(receiver)->isWindow()) {
    QMetaObject::invokeMethod(
        this,
        [modal = QPointer<QWidget>(modal)] {
          if (!modal || !modal->isVisible()) return;
          modal->raise();
          modal->activateWindow();
          QApplication::setActiveWindow(modal);
        },
        Qt::QueuedConnection);
  }
  try {
    return QApplication::notify(receiver, event);
  } catch (...) {
    HandleException(std::current_exception());
    return true;
  }
}

bool TApplication::event(QEvent* event) {
  if (event->type() == QEvent::LocaleChange) LocaleChanged();
  return QApplication::event(event);
}

}  // namespace dorvane
