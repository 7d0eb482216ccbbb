#pragma once

#include <QApplication>
#include <QTranslator>

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "forms/Application.h"
#include "forms/Handlers.h"

namespace dorvane {

// The application object: the program's title, and the one top-level handler for every
// exception that escapes an event handler. A failure is shown in the error box and the event
// loop goes on.
class TApplication : public QApplication, private ApplicationView {
  Q_OBJECT

 public:
  // Receives the finished box text (final "." already applied). Tests put a recorder here so
  // that no modal loop is ever left waiting.
  using ErrorBox = std::function<void(const std::string& text)>;

  TApplication(int& argc, char** argv);
  ~TApplication() override;

  static TApplication* Instance();

  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title);

  // Qt's own texts (context menus, message box buttons) in French, like the rest of the
  // program. False when Qt's French translations are not installed.
  bool LoadFrenchTranslations();

  void SetErrorBox(ErrorBox box);
  void RestoreDefaultErrorBox();

  // Cancels any mouse capture, then shows the failure's message in the error box.
  void HandleException(std::exception_ptr failure) {
    ShowFailure(*this, title_, std::move(failure));
  }

  // Called whenever the system announces new locale settings.
  void SetOnLocaleChange(std::function<void()> handler) { onLocaleChange_ = std::move(handler); }

  bool notify(QObject* receiver, QEvent* event) override;

 protected:
  bool event(QEvent* event) override;

 private:
  // ApplicationView
  void CancelMouseCapture() override;
  void ShowErrorBox(std::string_view title, std::string_view text) override;

  std::string title_;
  std::unique_ptr<QTranslator> translator_;
  ErrorBox errorBox_;
  std::function<void()> onLocaleChange_;
};

}  // namespace dorvane
