#pragma once

#include <memory>
#include <string_view>

#include "forms/MainForm.h"
#include "win32/AboutWindow.h"
#include "win32/ControlWindows.h"
#include "win32/FormWindow.h"

namespace dorvane::win32 {

// The main window on Win32: the controls of TForm1's table, whose events it hands to the
// form. Closing it ends the message loop.
class MainWindow final : public FormWindow<MainView, TForm1> {
 public:
  // Builds the window, hidden, and ends its creation (timers, FormCreate).
  MainWindow();

 protected:
  LRESULT Message(UINT message, WPARAM wParam, LPARAM lParam) override;
  SIZE HeldSize() const override { return LayoutOuterSize(); }

 private:
  TCalendar& Calendar(std::string_view control) override {
    return CalendarOf(controls_->Find(control));
  }
  void SetPanelText(int panel, std::string_view text) override {
    controls_->SetPanelText(panel, text);
  }
  bool StartTimer(std::string_view timer, int milliseconds) override {
    return controls_->StartTimer(timer, milliseconds);
  }
  void SetMenuChecked(std::string_view item, bool checked) override {
    controls_->SetMenuChecked(item, checked);
  }
  std::unique_ptr<AboutDialog> CreateAboutDialog() override {
    return std::make_unique<AboutWindow>(window_);
  }
};

}  // namespace dorvane::win32
