#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "forms/Application.h"
#include "forms/FormView.h"
#include "forms/Layout.h"

namespace dorvane {

// The application's icon, as the About dialog shows it: unscaled, in pixels.
inline constexpr int kApplicationIconSize = 32;

// What the About dialog asks of its window besides the common operations.
class AboutView : public FormView {
 public:
  // The named picture control shows a copy of the application's icon, unscaled, at its
  // top-left corner.
  virtual void ShowApplicationIcon(std::string_view control) = 0;
  virtual void Beep() { SystemBeep(); }
};

// The About dialog: banner, the application's icon, the product texts, an etched separator,
// two figures about the machine's memory and an OK button. Created for one showing.
class TFAbout : public TForm {
 public:
  static const WindowLayout kLayout;

  explicit TFAbout(AboutView& view) : view_(view) {}

  // Handlers.
  void FormCreate();
  void Button1Click();

 private:
  AboutView& view_;
};

// One showing of the About dialog, made by the front end: its window built from
// TFAbout::kLayout and its form's FormCreate run. Destroying it destroys the window.
class AboutDialog {
 public:
  // Called with each dialog once it shows, from within its modal loop (the screenshot and the
  // tests look at it there); null: none.
  static inline std::function<void(AboutDialog&)> onShown;

  virtual ~AboutDialog() = default;
  virtual FormView& View() = 0;
  // Shows the dialog modally: the program's other windows are disabled until it closes; once
  // it shows, onShown runs.
  virtual void ShowModal() = 0;
  // Where the named control ends on the right, as its text sized it, in client pixels.
  virtual int ControlRight(std::string_view control) const = 0;
  // Gives the client area another width; its height stays.
  virtual void SetClientWidth(int width) = 0;
  // Moves the named control to `left` and gives it `width`, in layout pixels; its top and
  // height stay.
  virtual void PlaceHorizontally(std::string_view control, int left, int width) = 0;
};

// The client width at which no text of the dialog is cut: the layout's, or wider where a text
// (a very long version, a memory total of many digits) would come nearer the right edge than
// the OK button; the layout is kept otherwise.
int FittedAboutWidth(const AboutDialog& dialog);

// Gives the dialog that client width: the banner spans it (a picture control wider than its
// picture carries the picture's last column on to its edge), and the OK button keeps its
// distance to the right edge. At the layout's width, nothing moves.
void WidenAbout(AboutDialog& dialog, int width);

// What the About component asks of the window that owns it.
class AboutBoxHost {
 public:
  virtual ~AboutBoxHost() = default;

  // A new dialog; throws what its creation throws.
  virtual std::unique_ptr<AboutDialog> CreateAboutDialog() = 0;
  virtual void Beep() { SystemBeep(); }
};

// The About component of the main window: the three product texts, and Execute, which shows
// them in a new dialog.
class TAboutBox {
 public:
  explicit TAboutBox(AboutBoxHost& owner);
  virtual ~TAboutBox() = default;

  // Each text keeps at most kAboutTextLimit characters; the rest is dropped silently.
  const std::string& ProductName() const { return productName_; }
  void SetProductName(std::string_view value);
  const std::string& Version() const { return version_; }
  void SetVersion(std::string_view value);
  const std::string& Copyright() const { return copyright_; }
  void SetCopyright(std::string_view value);

  // Creates the dialog, fills it, shows it modally and destroys it once closed. When the
  // dialog cannot be created (any std::exception while it is built), it beeps and returns
  // with nothing shown; other exceptions pass on.
  virtual void Execute();

 private:
  AboutBoxHost& owner_;
  std::string productName_;
  std::string version_;
  std::string copyright_;
};

}  // namespace dorvane
