#pragma once

#include <memory>
#include <string_view>

#include "calendar/Calendar.h"
#include "forms/About.h"
#include "forms/FormView.h"
#include "forms/Layout.h"

namespace dorvane {

class TForm2;

// What the main window asks of its window besides the common operations.
class MainView : public FormView, public AboutBoxHost {
 public:
  // The grid control the front end created for the named row.
  virtual TCalendar& Calendar(std::string_view control) = 0;
  // A panel of the status bar.
  virtual void SetPanelText(int panel, std::string_view text) = 0;
  // Starts the named timer at its interval, its ticks going to its handler; false when the
  // system has no timer left.
  virtual bool StartTimer(std::string_view timer, int milliseconds) = 0;
  // The check mark of a checkable menu item.
  virtual void SetMenuChecked(std::string_view item, bool checked) = 0;
};

// The main window: tool bar, menu, month banner, calendar grid, weekday line and a status bar
// whose last panel is a clock. Its size is fixed. The "Affichage" menu's choices (week numbers,
// holidays) are the user's stored ones at start-up and stored as they change.
class TForm1 : public TForm {
 public:
  static const WindowLayout kLayout;
  static constexpr int kClockPanel = 2;

  explicit TForm1(MainView& view);
  // Runs FormDestroy: the form goes with its window.
  ~TForm1() override;

  // The end of the window's creation, once the front end built every control of the table:
  // the timers start (a timer the system cannot give fails the creation with "Pas assez de
  // timers disponibles"), then FormCreate runs.
  void Create();

  // The search dialog that the search command opens; it outlives this window's commands.
  void SetSearchDialog(TForm2* dialog) { form2_ = dialog; }

  TCalendar& Calendar1() { return view_.Calendar("Calendar1"); }
  TAboutBox& AboutBox1() { return aboutBox1_; }

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
  void Numrosdesemaine1Click();
  void Joursfris1Click();

  // A choice of the "Affichage" menu: its item, its stored setting and the grid's option.
  struct ViewChoice;

 private:
  // Shows the choice on the grid and in its item's check mark.
  void ApplyChoice(const ViewChoice& choice, bool on);
  // Turns the choice over and stores it; a store that refuses leaves it for the session.
  void ToggleChoice(const ViewChoice& choice);

  MainView& view_;
  TAboutBox aboutBox1_;
  TForm2* form2_ = nullptr;
};

}  // namespace dorvane
