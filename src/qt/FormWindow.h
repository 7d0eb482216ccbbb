#pragma once

#include <string>
#include <string_view>

#include "qt/FormControls.h"
#include "qt/Placement.h"

namespace dorvane {

// A window of ours on Qt: a Qt window class that is its form's view, over the controls built
// from the form's table. The common view operations act on those controls.
template <class Widget, class View>
class FormWindow : public Widget, protected View {
 public:
  explicit FormWindow(QWidget* parent = nullptr) : Widget(parent) {}

  const FormControls& Controls() const { return *controls_; }

 protected:
  // Builds the window from its table, the form's handlers receiving its events.
  void Build(QWidget& client, const WindowLayout& layout, TForm& form) {
    controls_ = new FormControls(*this, client, layout, form);
  }

  void SetText(std::string_view control, std::string_view text) override {
    controls_->SetText(control, text);
  }
  std::string Text(std::string_view control) const override { return controls_->Text(control); }
  void SetFocus(std::string_view control) override { controls_->SetFocus(control); }
  void BringForward() override { dorvane::BringForward(this, shownOnce_); }
  void Close() override { this->close(); }

  FormControls* controls_ = nullptr;
  bool shownOnce_ = false;
};

}  // namespace dorvane
