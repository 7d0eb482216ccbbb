#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include <cstdint>

#include "calendar/Calendar.h"
#include "qt/GroupBox.h"
#include "dates/DateValue.h"

namespace dorvane {

// The key filter of the three date fields: backspace and the digits pass, every other
// character becomes the control character 15, which a single-line edit does not insert.
constexpr char32_t Edit3KeyPress(char32_t key) {
  if (key == 8 || (key >= U'0' && key <= U'9')) return key;
  return 15;
}

// The date of the three fields' values; raises EConvertError with the date-encoding message
// when they make no date of the years 1 to 9999.
TDateTime SearchedDate(std::int32_t year, std::int32_t month, std::int32_t day);

// The date search dialog: a day, a month and a year typed in, and the main window's grid moves
// to that date. Modeless; created hidden once and only hidden and shown again afterwards.
class TForm2 : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 297;
  static constexpr int kClientHeight = 131;

  // mainWindow is brought forward by a search, grid receives the date found.
  TForm2(QWidget* mainWindow, TCalendar& grid);

  // Shows the dialog (centred the first time, where it was left afterwards) and brings it to
  // the front.
  void ShowForward();

  // Handlers.
  void btnAfficherClick();
  void Button1Click();

  TGroupBox* GroupBox1 = nullptr;
  QLabel* Label3 = nullptr;
  QLineEdit* Edit3 = nullptr;
  QLabel* Label2 = nullptr;
  QLineEdit* Edit2 = nullptr;
  QLabel* Label1 = nullptr;
  QLineEdit* Edit1 = nullptr;
  QPushButton* btnAfficher = nullptr;
  QPushButton* Button1 = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLabel* AddLabel(const char* name, const char* text, int left, int top, int width, int height);
  QLineEdit* AddEdit(const char* name, int maxLength, int left, int top, int width, int height);
  QPushButton* AddButton(const char* name, const char* caption, int left, int top, int width,
                         int height);

  QWidget* mainWindow_;
  TCalendar& grid_;
  bool shownOnce_ = false;
};

}  // namespace dorvane
