#pragma once

#include <QDialog>

#include <memory>
#include <string>
#include <string_view>

#include "forms/About.h"
#include "qt/FormWindow.h"

namespace dorvane {

// The About dialog on Qt: the controls of TFAbout's table, whose events it hands to the form.
// Created for one showing.
class AboutWindow : public FormWindow<QDialog, AboutView> {
  Q_OBJECT

 public:
  // Builds the controls, then runs FormCreate.
  explicit AboutWindow(QWidget* parent = nullptr);

  // A new dialog for the About component, owned by the result, above `parent`.
  static std::unique_ptr<AboutDialog> Create(QWidget* parent);

  FormView& View() { return *this; }
  // Centred on the screen, modal until closed.
  void ShowModal();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void ShowApplicationIcon(std::string_view control) override;

  TFAbout form_;
};

}  // namespace dorvane
