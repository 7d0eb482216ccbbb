#pragma once

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QToolButton>

#include "qt/StatusBar.h"
#include "qt/ToolBar.h"
#include "qt/CalendarWidget.h"
#include "qt/RxLabelWidget.h"
#include "qt/GroupBox.h"

namespace dorvane {

class TAboutBox;
class TForm2;

// The main window: tool bar, menu, month banner, calendar grid, weekday line and a status bar
// whose last panel is a clock. Its size is fixed.
class TForm1 : public QMainWindow {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 329;
  static constexpr int kClientHeight = 317;

  explicit TForm1(QWidget* parent = nullptr);
  ~TForm1() override;

  // The search dialog that the search command opens; it outlives this window's commands.
  void SetSearchDialog(TForm2* dialog) { form2_ = dialog; }

  // Centres the window on its screen the first time, then shows it.
  void ShowCentred();

  // Handlers.
  void FormCreate();
  void FormDestroy();
  void Calendar1Change();
  void Timer1Timer();
  void tlbtnAnAvantClick();
  void tlbtnMAvantClick();
  void tlbtnMActuelClick();
  void tlbtnMApresClick();
  void tlbtnAnApresClick();
  void tlbtnRechercherClick();
  void tlbtnAideClick();
  void tlbtnQuitterClick();
  void Aproposde1Click();

  // Controls, named as on the window.
  QWidget* ClientArea = nullptr;
  TControlBar* ControlBar1 = nullptr;
  TToolBar* ToolBar1 = nullptr;
  QToolButton* tlbtnAnAvant = nullptr;
  QToolButton* tlbtnMAvant = nullptr;
  QToolButton* tlbtnMActuel = nullptr;
  QToolButton* tlbtnMApres = nullptr;
  QToolButton* tlbtnAnApres = nullptr;
  QWidget* ToolButton6 = nullptr;
  QToolButton* tlbtnRechercher = nullptr;
  QWidget* ToolButton2 = nullptr;
  QToolButton* tlbtnAide = nullptr;
  QToolButton* tlbtnQuitter = nullptr;
  TStatusBar* StatusBar1 = nullptr;
  TGroupBox* GroupBox1 = nullptr;
  RxLabelWidget* RxLabel1 = nullptr;
  TGroupBox* GroupBox2 = nullptr;
  CalendarWidget* Calendar1 = nullptr;
  TGroupBox* GroupBox3 = nullptr;
  RxLabelWidget* RxLabel2 = nullptr;
  QTimer* Timer1 = nullptr;
  TAboutBox* AboutBox1 = nullptr;

  QMenuBar* MainMenu1 = nullptr;
  QMenu* Fichier1 = nullptr;
  QAction* Anneprcdente1 = nullptr;
  QAction* Annesuivante1 = nullptr;
  QAction* Moisprcdent1 = nullptr;
  QAction* Moisactuel1 = nullptr;
  QAction* Moissuivant1 = nullptr;
  QAction* RechercherDate1 = nullptr;
  QAction* Quitter1 = nullptr;
  QMenu* Aide1 = nullptr;
  QAction* Rubriquesdelaide1 = nullptr;
  QAction* Aproposde1 = nullptr;

 signals:
  // The window was closed: by the quit command, its title bar or its system menu.
  void Closed();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  using Handler = void (TForm1::*)();

  void BuildControls();
  void BuildToolBar();
  void BuildMenu();
  TGroupBox* AddGroupBox(const char* name, int left, int top, int width, int height);
  QToolButton* AddToolButton(const char* name, const char* image, const std::string& hint,
                             Handler handler);
  QAction* AddMenuItem(QMenu* menu, const char* name, const std::string& caption,
                       Handler handler);

  TForm2* form2_ = nullptr;
  bool shownOnce_ = false;
};

}  // namespace dorvane
