#pragma once

#include <QDialog>

#include <string_view>

#include "forms/About.h"
#include "qt/FormWindow.h"

namespace dorvane {

// The About dialog on Qt: the controls of TFAbout's table, whose events it hands to the form.
// Created for one showing, its own AboutDialog.
class AboutWindow : public FormWindow<QDialog, AboutView>, public AboutDialog {
  Q_OBJECT

 public:
  // Builds the controls, then runs FormCreate; above `parent`.
  explicit AboutWindow(QWidget* parent = nullptr);

  FormView& View() override { return *this; }
  // Centred on the screen, modal until closed.
  void ShowModal() override;
  int ControlRight(std::string_view control) const override;
  void SetClientWidth(int width) override { setFixedSize(width, height()); }
  void PlaceHorizontally(std::string_view control, int left, int width) override {
    if (QWidget* widget = controls_->Find(control))
      widget->setGeometry(left, widget->y(), width, widget->height());
  }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void ShowApplicationIcon(std::string_view control) override;

  TFAbout form_;
};

}  // namespace dorvane
