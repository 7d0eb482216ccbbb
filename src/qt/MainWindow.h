#pragma once

#include <QAction>
#include <QMainWindow>

#include <memory>

#include "forms/MainForm.h"
#include "qt/AboutWindow.h"
#include "qt/CalendarWidget.h"
#include "qt/FormWindow.h"

namespace dorvane {

// The main window on Qt: the controls of TForm1's table, whose events it hands to the form.
class MainWindow : public FormWindow<QMainWindow, MainView> {
 public:
  // Builds the window and ends its creation (timers, FormCreate).
  MainWindow();

  TForm1& Form() { return form_; }
  FormView& View() { return *this; }

 protected:
  // Closed by the quit command, its title bar or its system menu, it ends the event loop.
  void closeEvent(QCloseEvent* event) override;
  // Turns of the wheel over the window go to its focused control, as the window system
  // gives them to the focus, and not to the control under the pointer. The keys that move the
  // focus to a part of the window (FocusKeyTarget) are the window's before any control's.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  TCalendar& Calendar(std::string_view control) override {
    return controls_->Get<CalendarWidget>(control)->Calendar();
  }
  void SetPanelText(int panel, std::string_view text) override {
    controls_->SetPanelText(panel, text);
  }
  bool StartTimer(std::string_view timer, int milliseconds) override;
  void SetMenuChecked(std::string_view item, bool checked) override {
    if (QAction* action = controls_->Get<QAction>(item)) action->setChecked(checked);
  }
  // The dialog stands above the main window, and goes before it: the handler that shows it
  // (TAboutBox::Execute) ends first.
  std::unique_ptr<AboutDialog> CreateAboutDialog() override {
    return std::make_unique<AboutWindow>(this);
  }

  TForm1 form_;
};

}  // namespace dorvane
