#pragma once

#include <QMainWindow>

#include <memory>
#include <string>
#include <string_view>

#include "forms/MainForm.h"
#include "qt/FormControls.h"

namespace dorvane {

class SearchWindow;

// The main window on Qt: the controls of TForm1's table, whose events it hands to the form.
class MainWindow : public QMainWindow, private MainView {
  Q_OBJECT

 public:
  // Builds the window and ends its creation (timers, FormCreate).
  explicit MainWindow(QWidget* parent = nullptr);
  ~MainWindow() override;

  TForm1& Form() { return form_; }
  FormView& View() { return *this; }
  const FormControls& Controls() const { return *controls_; }

  void SetSearchDialog(SearchWindow* dialog);

  // Centres the window on its screen the first time, then shows it.
  void ShowCentred();

 signals:
  // The window was closed: by the quit command, its title bar or its system menu.
  void Closed();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // MainView
  void SetText(std::string_view control, std::string_view text) override;
  std::string Text(std::string_view control) const override;
  void SetFocus(std::string_view control) override;
  void BringForward() override;
  void Close() override;
  TCalendar& Calendar(std::string_view control) override;
  void SetPanelText(int panel, std::string_view text) override;
  bool StartTimer(std::string_view timer, int milliseconds) override;
  std::unique_ptr<AboutDialog> CreateAboutDialog() override;
  void Beep() override;

  TForm1 form_;
  FormControls* controls_ = nullptr;
  bool shownOnce_ = false;
};

}  // namespace dorvane
