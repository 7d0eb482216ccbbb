#pragma once

#include <QDialog>

#include <memory>
#include <string>
#include <string_view>

#include "forms/About.h"
#include "qt/FormWindow.h"

namespace dorvane {

// The About dialog on Qt: the controls of TFAbout's table, whose events it hands to the form.
// Created for one showing, its own AboutDialog.
class AboutWindow : public FormWindow<QDialog, AboutView>, public AboutDialog {
  Q_OBJECT

 public:
  // Builds the controls, then runs FormCreate.
  explicit AboutWindow(QWidget* parent = nullptr);

  // A new dialog for the About component, owned by the result, above `parent`.
  static std::unique_ptr<AboutDialog> Create(QWidget* parent);

  FormView& View() override { return *this; }
  // Centred on the screen, modal until closed.
  void ShowModal() override;
  int ControlRight(std::string_view control) const override;
  void SetClientWidth(int width) override { setFixedSize(width, height()); }
  void PlaceHorizontally(std::string_view control, int left, int width) override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void ShowApplicationIcon(std::string_view control) override;

  TFAbout form_;
};

}  // namespace dorvane
