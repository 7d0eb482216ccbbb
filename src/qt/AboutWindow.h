#pragma once

#include <QDialog>
#include <QLabel>
#include <QObject>
#include <QPushButton>

#include <string>
#include <string_view>

#include "qt/LineWidget.h"
#include "qt/SvgPicture.h"

namespace dorvane {

// A label that takes the size of its text, as the About dialog's labels do. Plain text only:
// the product texts are never read as markup.
class TSizedLabel : public QLabel {
  Q_OBJECT

 public:
  TSizedLabel(QWidget* parent, int left, int top);
  void SetCaption(std::string_view text);
};

// The About dialog: banner, the application's icon, the product texts, an etched separator,
// two figures about the machine's memory and an OK button. Created for one showing.
class TFAbout : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 294;
  static constexpr int kClientHeight = 268;

  // Builds the controls, then runs FormCreate.
  explicit TFAbout(QWidget* parent = nullptr);

  // Handlers.
  void FormCreate();
  void Button1Click();

  // Controls, named as on the window, in the order they are created (later ones lie above).
  SvgPicture* Image1 = nullptr;
  TSizedLabel* lblPhysMem = nullptr;
  TSizedLabel* lblPhysRes = nullptr;
  LineWidget* Line1 = nullptr;  // black, with Line2 a pixel lower in white: an etched line
  LineWidget* Line2 = nullptr;
  TSizedLabel* Label1 = nullptr;
  TSizedLabel* Label2 = nullptr;
  TSizedLabel* Label3 = nullptr;
  QLabel* FImage = nullptr;
  QPushButton* Button1 = nullptr;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

// The About component of the main window: the three product texts, and Execute, which shows
// them in a new TFAbout.
class TAboutBox : public QObject {
  Q_OBJECT

 public:
  explicit TAboutBox(QObject* owner);

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
  std::string productName_;
  std::string version_;
  std::string copyright_;
};

// The thousands separator of the user's number format, as UTF-8.
std::string UserThousandsSeparator();

}  // namespace dorvane
