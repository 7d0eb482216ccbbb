#pragma once

#include <QDialog>

#include <memory>
#include <string>
#include <string_view>

#include "forms/About.h"
#include "qt/FormControls.h"

namespace dorvane {

// The About dialog on Qt: the controls of TFAbout's table, whose events it hands to the form.
// Created for one showing.
class AboutWindow : public QDialog, private AboutView {
  Q_OBJECT

 public:
  // Builds the controls, then runs FormCreate.
  explicit AboutWindow(QWidget* parent = nullptr);

  // A new dialog for the About component, owned by the result, above `parent`.
  static std::unique_ptr<AboutDialog> Create(QWidget* parent);

  TFAbout& Form() { return form_; }
  FormView& View() { return *this; }
  const FormControls& Controls() const { return *controls_; }

  // Centred on the screen, modal until closed.
  void ShowModal();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // AboutView
  void SetText(std::string_view control, std::string_view text) override;
  std::string Text(std::string_view control) const override;
  void SetFocus(std::string_view control) override;
  void BringForward() override;
  void Close() override;
  void ShowApplicationIcon(std::string_view control) override;
  void Beep() override;
  std::string ThousandsSeparator() const override;

  TFAbout form_;
  FormControls* controls_ = nullptr;
};

}  // namespace dorvane
