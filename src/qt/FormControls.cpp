#include "qt/FormControls.h"

#include <QAction>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

#include "forms/Handlers.h"
#include "qt/AccessibleRoles.h"
#include "qt/CalendarWidget.h"
#include "qt/GroupBox.h"
#include "qt/LineWidget.h"
#include "qt/QtCanvas.h"
#include "qt/QtKeys.h"
#include "qt/RxLabelWidget.h"
#include "qt/StatusBar.h"
#include "qt/SvgPicture.h"
#include "qt/ToolBar.h"
#include "qt/WindowIcon.h"

namespace dorvane {

namespace {

// A platform label takes the size LabelExtent gives it for its text.
void FitLabel(QLabel& label, const ControlLayout& row) {
  const QSize text = label.sizeHint();
  label.resize(LabelExtent(row.width, text.width()), LabelExtent(row.height, text.height()));
}

// The character a key press types, as a key filter sees it: Ctrl with a letter types the
// matching control character (Ctrl+V is 22), keys that type nothing give 0.
char32_t TypedCharacter(const QKeyEvent& key) {
  const int k = key.key();
  if (k == Qt::Key_Backspace) return 8;
  // Moving the focus and deleting forward type no character.
  if (k == Qt::Key_Tab || k == Qt::Key_Backtab || k == Qt::Key_Delete) return 0;
  if ((key.modifiers() & Qt::ControlModifier) && !(key.modifiers() & Qt::AltModifier) &&
      k >= Qt::Key_A && k <= Qt::Key_Z) {
    return static_cast<char32_t>(k - Qt::Key_A + 1);
  }
  return key.text().toUcs4().value(0);  // 0 when it types nothing
}

// A filter that hands on another character than the one typed refuses it: a single-line
// edit inserts none of the control characters it replaces keys with.
bool Refuses(KeyFilter filter, char32_t typed) {
  return filter(typed) != typed;
}

// The field's own context menu, without the Ctrl shortcuts it names: a filtered field refuses
// them (they type control characters), so the menu does not advertise them. Its commands stay.
void ShowFieldMenu(QLineEdit* edit, const QPoint& at) {
  QMenu* menu = edit->createStandardContextMenu();
  for (QAction* action : menu->actions()) {
    const QString text = action->text();
    const qsizetype tab = text.indexOf(QLatin1Char('\t'));
    if (tab < 0) continue;
    const QKeySequence keys = QKeySequence::fromString(text.mid(tab + 1), QKeySequence::NativeText);
    if (!keys.isEmpty() && (keys[0].keyboardModifiers() & Qt::ControlModifier)) {
      action->setText(text.left(tab));
    }
  }
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(edit->mapToGlobal(at));
}

}  // namespace

FormControls::FormControls(QWidget& window, QWidget& client, const WindowLayout& layout,
                           TForm& form)
    : QObject(&client), layout_(layout), form_(form) {
  ApplyToWindow(window, client);
  for (const ControlLayout& row : layout.controls) {
    QWidget* parent = row.parent.empty() ? &client : Find(row.parent);
    controls_.emplace_back(row.name, Create(row, parent != nullptr ? parent : &client));
  }
  SetTabOrder();
  if (!layout.firstFocus.empty()) SetFocus(layout.firstFocus);
}

void FormControls::ApplyToWindow(QWidget& window, QWidget& client) {
  auto* main = qobject_cast<QMainWindow*>(&window);
  Qt::WindowFlags flags =
      (main != nullptr ? Qt::Window : Qt::Dialog) | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  if (layout_.borderIcons & biSystemMenu) {
    flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  }
  if (layout_.borderIcons & biMinimize) flags |= Qt::WindowMinimizeButtonHint;
  if (layout_.borderIcons & biMaximize) flags |= Qt::WindowMaximizeButtonHint;
  window.setWindowFlags(flags);
  window.setObjectName(QStringFromUtf8(layout_.name));
  // A window of ours that is not the main one is a dialog, whatever Qt class carries it.
  if (main == nullptr) SetAccessibleRole(window, QAccessible::Dialog);
  window.setWindowTitle(QStringFromUtf8(layout_.caption));
  if (!layout_.icon.empty()) window.setWindowIcon(WindowIcon(layout_.icon));
  if (layout_.font != FontStyle{}) {
    window.setFont(ToQFont(ToFont(layout_.font)));
    window_ = &window;
    ApplyTextColor();
    window.installEventFilter(this);
  }
  if (main != nullptr && !layout_.menu.empty()) BuildMenu(*main->menuBar());
  // A dialog frame is fixed; a sizeable one around a client area of its own keeps that area's
  // size, and nothing else follows a change of the frame.
  if (layout_.border == BorderStyle::kDialog) {
    window.setFixedSize(layout_.clientWidth, layout_.clientHeight);
  } else if (&client != &window) {
    client.setFixedSize(layout_.clientWidth, layout_.clientHeight);
  } else {
    window.resize(layout_.clientWidth, layout_.clientHeight);
    // The frame may grow, never shrink the window below its controls.
    window.setMinimumSize(layout_.clientWidth, layout_.clientHeight);
  }
}

QObject* FormControls::Create(const ControlLayout& row, QWidget* parent) {
  const Handler handler = row.onEvent;
  QWidget* widget = nullptr;
  switch (row.kind) {
    case ControlKind::kControlBar:
      widget = NewControlBar(parent);
      break;
    case ControlKind::kToolBar: {
      auto* bar = new TToolBar(parent);
      for (const ToolButtonLayout& tool : layout_.toolButtons) {
        QWidget* item = bar->Add(tool, layout_.images);
        if (auto* button = qobject_cast<QToolButton*>(item)) {
          connect(button, &QToolButton::clicked, this,
                  [this, &tool] { RunOn(form_, tool.onClick); });
        }
        controls_.emplace_back(tool.name, item);
      }
      widget = bar;
      break;
    }
    case ControlKind::kStatusBar:
      widget = new TStatusBar(parent, layout_.panels);
      SetAccessibleRole(*widget, QAccessible::StatusBar);
      break;
    case ControlKind::kGroupBox:
      widget = new TGroupBox(parent, QStringFromUtf8(row.text));
      break;
    case ControlKind::kRxLabel: {
      auto* label = new RxLabelWidget(parent);
      // Read by its text (its accessible name), as a label.
      SetAccessibleRole(*label, QAccessible::StaticText);
      // Before the bounds, which it would otherwise fit to the text.
      if (row.width != kAutoSize) label->Label().SetAutoSize(false);
      label->setGeometry(row.left, row.top, row.width, row.height);
      label->Label().SetAlignment(row.alignment);
      if (row.font != nullptr) label->Label().SetFont(ToFont(*row.font));
      label->Label().SetCaption(std::string(row.text));
      widget = label;
      break;
    }
    case ControlKind::kCalendar: {
      auto* grid = new CalendarWidget(parent);
      if (row.tabOrder == kNoTabStop) grid->setFocusPolicy(Qt::ClickFocus);
      if (row.startOfWeek != 0) grid->Calendar().SetStartOfWeek(row.startOfWeek);
      if (handler != nullptr) {
        // The grid calls out synchronously from its own operations, which run inside a
        // handler already: its failures go the same way as that handler's.
        grid->Calendar().OnChange = [this, handler](TCalendar&) { (form_.*handler)(); };
      }
      widget = grid;
      break;
    }
    case ControlKind::kLabel: {
      auto* label = new QLabel(parent);
      label->setTextFormat(Qt::PlainText);  // a text of the program or the system, never markup
      label->setAutoFillBackground(true);
      if (row.font != nullptr) label->setFont(ToQFont(ToFont(*row.font)));
      label->setText(QStringFromUtf8(row.text));
      label->move(row.left, row.top);
      FitLabel(*label, row);
      widget = label;
      break;
    }
    case ControlKind::kEdit: {
      auto* edit = new QLineEdit(parent);
      if (row.maxLength > 0) edit->setMaxLength(row.maxLength);
      if (row.keyFilter != nullptr) {
        edit->setAcceptDrops(false);
        edit->setInputMethodHints(Qt::ImhDigitsOnly);
        edit->installEventFilter(this);
        keyFilters_.emplace_back(edit, row.keyFilter);
        edit->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(edit, &QLineEdit::customContextMenuRequested, edit,
                [edit](const QPoint& at) { ShowFieldMenu(edit, at); });
      }
      widget = edit;
      break;
    }
    case ControlKind::kButton: {
      auto* button = new QPushButton(QStringFromUtf8(row.text), parent);
      // Enter presses a button only when it has the focus; a window has no default button.
      button->installEventFilter(this);
      connect(button, &QPushButton::clicked, this, [this, handler] { RunOn(form_, handler); });
      widget = button;
      break;
    }
    case ControlKind::kPicture:
      if (row.text.empty()) {
        auto* picture = new QLabel(parent);
        picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        widget = picture;
      } else {
        widget = new SvgPicture(QStringLiteral(":/dorvane/%1.svg").arg(QStringFromUtf8(row.text)),
                                parent);
      }
      break;
    case ControlKind::kLine: {
      auto* line = new LineWidget(parent);
      line->setGeometry(row.left, row.top, row.width,
                        row.height == kAutoSize ? line->height() : row.height);
      if (row.penColor != Pen().Color) line->Line().Pen().SetColor(row.penColor);
      line->Line().SetLine(row.line);
      widget = line;
      break;
    }
    case ControlKind::kTimer: {
      auto* timer = new QTimer(parent->window());
      timer->setObjectName(QStringFromUtf8(row.name));
      timer->setInterval(row.interval);
      connect(timer, &QTimer::timeout, this, [this, handler] { RunOn(form_, handler); });
      return timer;
    }
  }
  widget->setObjectName(QStringFromUtf8(row.name));
  if (!row.accessibleName.empty()) widget->setAccessibleName(QStringFromUtf8(row.accessibleName));
  // The controls that find their own size (labels, lines, a picture of its own size) have
  // taken it; the others take the row's.
  if (row.kind == ControlKind::kPicture && row.width == kAutoSize) {
    widget->move(row.left, row.top);
  } else if (row.kind != ControlKind::kRxLabel && row.kind != ControlKind::kLabel &&
             row.kind != ControlKind::kLine) {
    widget->setGeometry(row.left, row.top, row.width, row.height);
  }
  return widget;
}

void FormControls::SetTabOrder() {
  const std::vector<const ControlLayout*> chain = TabChain(layout_);
  for (std::size_t i = 1; i < chain.size(); ++i) {
    QWidget::setTabOrder(Find(chain[i - 1]->name), Find(chain[i]->name));
  }
}

void FormControls::BuildMenu(QMenuBar& bar) {
  for (const MenuLayout& tree : MenuTree(layout_)) {
    const MenuItemLayout& top = layout_.menu[tree.row];
    QMenu* menu = bar.addMenu(QStringFromUtf8(top.caption));
    menu->setObjectName(QStringFromUtf8(top.name));
    for (const std::size_t i : tree.items) {
      const MenuItemLayout& row = layout_.menu[i];
      if (row.caption == kMenuSeparator) {
        menu->addSeparator()->setObjectName(QStringFromUtf8(row.name));
        continue;
      }
      QAction* item = menu->addAction(QStringFromUtf8(row.caption));
      item->setObjectName(QStringFromUtf8(row.name));
      item->setCheckable(row.checkable);
      connect(item, &QAction::triggered, this, [this, &row] { RunOn(form_, row.onClick); });
      controls_.emplace_back(row.name, item);
    }
  }
}

void FormControls::SetText(std::string_view control, std::string_view text) {
  QWidget* widget = Find(control);
  if (auto* label = qobject_cast<RxLabelWidget*>(widget)) {
    label->Label().SetCaption(std::string(text));
  } else if (widget != nullptr) {
    widget->setProperty("text", QStringFromUtf8(text));  // an edit's, a button's, a label's
    const ControlLayout* row = FindControl(layout_, control);
    if (row != nullptr && row->kind == ControlKind::kLabel) {
      FitLabel(static_cast<QLabel&>(*widget), *row);
    }
  }
}

std::string FormControls::Text(std::string_view control) const {
  if (auto* label = Get<RxLabelWidget>(control)) return label->Label().Caption();
  const QWidget* widget = Find(control);
  return widget != nullptr ? widget->property("text").toString().toStdString() : std::string();
}

void FormControls::SetFocus(std::string_view control) {
  if (QWidget* widget = Find(control)) widget->setFocus(Qt::OtherFocusReason);
}

void FormControls::SetPanelText(int panel, std::string_view text) {
  for (const auto& [name, control] : controls_) {
    if (auto* bar = qobject_cast<TStatusBar*>(control)) bar->SetPanelText(panel, std::string(text));
  }
}

void FormControls::ApplyTextColor() {
  QPalette colours;
  const TColor color = ShownColor(layout_.font.color, HighContrastPalette());
  if (color != clWindowText) {
    colours.setColor(QPalette::WindowText, QtCanvas(window_->palette()).ToQColor(color));
  }
  window_->setPalette(colours);
}

bool FormControls::eventFilter(QObject* watched, QEvent* event) {
  if (watched == window_) {
    if (event->type() == QEvent::ApplicationPaletteChange) ApplyTextColor();
    return false;
  }
  const auto* key = event->type() == QEvent::KeyPress ? static_cast<QKeyEvent*>(event) : nullptr;
  if (auto* button = qobject_cast<QPushButton*>(watched)) {
    const bool enter = key != nullptr && !key->isAutoRepeat() &&
                       (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter);
    if (enter) button->click();
    return enter;
  }
  const auto found = std::find_if(keyFilters_.begin(), keyFilters_.end(),
                                  [&](const auto& f) { return f.first == watched; });
  if (found == keyFilters_.end()) return false;
  const KeyFilter filter = found->second;
  if (key != nullptr) {
    if (RefusedEditKey(VirtualKeyOf(key->key()), ShiftOf(key->modifiers()))) return true;
    // The keyboards' own editing keys, which Qt binds and a Windows edit ignores.
    const int k = key->key();
    if (k == Qt::Key_Paste || k == Qt::Key_Cut || k == Qt::Key_Undo || k == Qt::Key_Redo) {
      return true;
    }
    const char32_t typed = TypedCharacter(*key);
    return typed != 0 && Refuses(filter, typed);
  }
  if (event->type() == QEvent::InputMethod) {
    const auto& input = static_cast<const QInputMethodEvent&>(*event);
    for (char32_t c : input.commitString().toUcs4()) {
      if (Refuses(filter, c)) return true;
    }
  }
  return false;
}

}  // namespace dorvane
