#pragma once

#include <QWidget>

#include <string>
#include <string_view>

#include "forms/_Recherche.h"
#include "qt/FormControls.h"

namespace dorvane {

// The date search dialog on Qt: the controls of TForm2's table, whose events it hands to the
// form. Modeless; created hidden once and only hidden and shown again afterwards.
class SearchWindow : public QWidget, private FormView {
  Q_OBJECT

 public:
  // mainWindow is brought forward by a search, grid receives the date found.
  SearchWindow(FormView& mainWindow, TCalendar& grid);

  TForm2& Form() { return form_; }
  FormView& View() { return *this; }
  const FormControls& Controls() const { return *controls_; }

 private:
  // FormView
  void SetText(std::string_view control, std::string_view text) override;
  std::string Text(std::string_view control) const override;
  void SetFocus(std::string_view control) override;
  void BringForward() override;
  void Close() override;

  TForm2 form_;
  FormControls* controls_ = nullptr;
  bool shownOnce_ = false;
};

}  // namespace dorvane
