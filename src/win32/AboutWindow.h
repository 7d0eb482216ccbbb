#pragma once

#include <string_view>
#include <vector>

#include "forms/About.h"
#include "win32/Dpi.h"
#include "win32/FormWindow.h"

namespace dorvane::win32 {

// The About dialog on Win32: the controls of TFAbout's table, whose events it hands to the
// form. Created for one showing, its own AboutDialog.
class AboutWindow final : public FormWindow<AboutView, TFAbout>, public AboutDialog {
 public:
  // Builds the controls, hidden, above `owner`, then runs FormCreate.
  explicit AboutWindow(HWND owner);

  FormView& View() override { return *this; }
  // Centred on its monitor, modal until closed: the program's other windows are disabled.
  void ShowModal() override;
  int ControlRight(std::string_view control) const override {
    return ToDips(controls_->Bounds(control).right, controls_->Dpi());
  }
  void SetClientWidth(int width) override { SetClientSize(width, TFAbout::kLayout.clientHeight); }
  void PlaceHorizontally(std::string_view control, int left, int width) override;

 protected:
  LRESULT Message(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void ShowApplicationIcon(std::string_view control) override;

  bool closed_ = false;
  std::vector<HWND> disabled_;  // the windows disabled while the dialog shows
};

}  // namespace dorvane::win32
