#include "qt/SearchWindow.h"

#include <QIcon>
#include <QInputMethodEvent>
#include <QKeyEvent>

#include "dates/ConvertError.h"
#include "dates/Numbers.h"
#include "forms/Handlers.h"
#include "qt/Placement.h"

namespace dorvane {

namespace {

// The character a key press types, as the filter sees it: Ctrl with a letter types the
// matching control character (Ctrl+V is 22), keys that type nothing give 0.
char32_t TypedCharacter(const QKeyEvent& key) {
  switch (key.key()) {
    case Qt::Key_Backspace:
      return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
      return 0;  // moving the focus and deleting forward type no character
    default:
      break;
  }
  if ((key.modifiers() & Qt::ControlModifier) && !(key.modifiers() & Qt::AltModifier) &&
      key.key() >= Qt::Key_A && key.key() <= Qt::Key_Z) {
    return static_cast<char32_t>(key.key() - Qt::Key_A + 1);
  }
  const QString text = key.text();
  if (text.isEmpty()) return 0;
  return text.toUcs4().value(0);
}

// Paste, cut, undo and redo by their other keys (Shift+Insert...) would change the text
// without typing a character; they are refused as the Ctrl letters are.
bool IsEditingShortcut(const QKeyEvent& key) {
  return key.matches(QKeySequence::Paste) || key.matches(QKeySequence::Cut) ||
         key.matches(QKeySequence::Undo) || key.matches(QKeySequence::Redo);
}

}  // namespace

TDateTime SearchedDate(std::int32_t year, std::int32_t month, std::int32_t day) {
  // The fields are read as unsigned 16-bit numbers; any value outside that range can be no
  // date, and is refused as such rather than wrapped onto another one.
  const auto fits = [](std::int32_t v) { return v >= 0 && v <= 0xFFFF; };
  if (!fits(year) || !fits(month) || !fits(day)) throw EConvertError(kDateEncodingMessage);
  return MakeDate(static_cast<std::uint16_t>(year), static_cast<std::uint16_t>(month),
                  static_cast<std::uint16_t>(day));
}

TForm2::TForm2(QWidget* mainWindow, TCalendar& grid)
    : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      mainWindow_(mainWindow),
      grid_(grid) {
  setObjectName(QStringLiteral("Form2"));
  setWindowTitle(QStringLiteral("Rechercher..."));
  setWindowIcon(QIcon(QStringLiteral(":/dorvane/recherche.svg")));
  setAttribute(Qt::WA_QuitOnClose, false);
  resize(kClientWidth, kClientHeight);

  GroupBox1 = new TGroupBox(this, QStringLiteral("Date (jj mm dddd) : "));
  GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
  GroupBox1->setGeometry(8, 8, 281, 73);

  Label3 = AddLabel("Label3", "Jour :", 24, 36, 26, 13);
  Edit3 = AddEdit("Edit3", 2, 56, 32, 33, 21);
  Label2 = AddLabel("Label2", "Mois :", 102, 36, 28, 13);
  Edit2 = AddEdit("Edit2", 2, 136, 32, 33, 21);
  Label1 = AddLabel("Label1", "Année :", 181, 36, 37, 13);
  Edit1 = AddEdit("Edit1", 4, 224, 32, 33, 21);
  Edit3->setAccessibleName(QStringLiteral("Jour"));
  Edit2->setAccessibleName(QStringLiteral("Mois"));
  Edit1->setAccessibleName(QStringLiteral("Année"));

  btnAfficher = AddButton("btnAfficher", "&Afficher", 134, 96, 75, 25);
  Button1 = AddButton("Button1", "&Fermer", 214, 96, 75, 25);
  connect(btnAfficher, &QPushButton::clicked, this, [this] { RunHandler([this] { btnAfficherClick(); }); });
  connect(Button1, &QPushButton::clicked, this, [this] { RunHandler([this] { Button1Click(); }); });

  setTabOrder(Edit3, Edit2);
  setTabOrder(Edit2, Edit1);
  setTabOrder(Edit1, btnAfficher);
  setTabOrder(btnAfficher, Button1);
  Edit3->setFocus(Qt::OtherFocusReason);
}

QLabel* TForm2::AddLabel(const char* name, const char* text, int left, int top, int width,
                         int height) {
  auto* label = new QLabel(QString::fromUtf8(text), GroupBox1);
  label->setObjectName(QString::fromLatin1(name));
  label->setGeometry(left, top, width, height);
  return label;
}

QLineEdit* TForm2::AddEdit(const char* name, int maxLength, int left, int top, int width,
                           int height) {
  auto* edit = new QLineEdit(GroupBox1);
  edit->setObjectName(QString::fromLatin1(name));
  edit->setGeometry(left, top, width, height);
  edit->setMaxLength(maxLength);
  edit->setAcceptDrops(false);
  edit->setInputMethodHints(Qt::ImhDigitsOnly);
  edit->installEventFilter(this);
  return edit;
}

QPushButton* TForm2::AddButton(const char* name, const char* caption, int left, int top,
                               int width, int height) {
  auto* button = new QPushButton(QString::fromUtf8(caption), this);
  button->setObjectName(QString::fromLatin1(name));
  button->setGeometry(left, top, width, height);
  // Neither button answers Enter: the dialog has no default button.
  button->setAutoDefault(false);
  button->setDefault(false);
  return button;
}

bool TForm2::eventFilter(QObject* watched, QEvent* event) {
  if (watched != Edit1 && watched != Edit2 && watched != Edit3) return false;
  if (event->type() == QEvent::KeyPress) {
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (IsEditingShortcut(key)) return true;
    const char32_t typed = TypedCharacter(key);
    return typed != 0 && Edit3KeyPress(typed) == 15;
  }
  if (event->type() == QEvent::InputMethod) {
    const auto& input = static_cast<const QInputMethodEvent&>(*event);
    for (char32_t c : input.commitString().toUcs4()) {
      if (Edit3KeyPress(c) == 15) return true;
    }
  }
  return false;
}

void TForm2::ShowForward() {
  ShowCentredFirstTime(this, shownOnce_);
  raise();
  activateWindow();
}

void TForm2::btnAfficherClick() {
  const std::int32_t year = ParseWholeNumber(Edit1->text().toStdString());
  const std::int32_t month = ParseWholeNumber(Edit2->text().toStdString());
  const std::int32_t day = ParseWholeNumber(Edit3->text().toStdString());
  // A minimised main window comes back too: the date is shown where the user can see it.
  mainWindow_->setWindowState(mainWindow_->windowState() & ~Qt::WindowMinimized);
  mainWindow_->show();
  mainWindow_->raise();
  mainWindow_->activateWindow();
  grid_.SetSelectedDate(SearchedDate(year, month, day));
}

void TForm2::Button1Click() { close(); }

}  // namespace dorvane
