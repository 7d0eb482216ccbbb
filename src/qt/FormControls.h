#pragma once

#include <QObject>
#include <QWidget>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "forms/Layout.h"
#include "platform/QtText.h"

class QMenuBar;

namespace dorvane {

// A window built from its table: the window gets the table's name, caption, icon, font and
// title-bar buttons, the menu bar (if any) the table's menu, and `client` (the client area)
// the controls, in creation order, each named as in the table. Their events go to the form's
// handlers. Knows nothing of any particular window.
class FormControls : public QObject {
  Q_OBJECT

 public:
  FormControls(QWidget& window, QWidget& client, const WindowLayout& layout, TForm& form);

  // A control, timer or menu item by its table name; null when there is none of that type.
  template <class Control = QWidget>
  Control* Get(std::string_view name) const {
    for (const auto& [n, control] : controls_) {
      if (n == name) return qobject_cast<Control*>(control);
    }
    return nullptr;
  }
  QWidget* Find(std::string_view name) const { return Get(name); }

  // The common view operations on a named control.
  void SetText(std::string_view control, std::string_view text);
  std::string Text(std::string_view control) const;
  void SetFocus(std::string_view control);
  // A panel of the window's status bar.
  void SetPanelText(int panel, std::string_view text);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ApplyToWindow(QWidget& window, QWidget& client);
  // The window's own text colour (in high contrast the desktop's), every other the desktop's.
  void ApplyTextColor();
  QObject* Create(const ControlLayout& row, QWidget* parent);
  void BuildMenu(QMenuBar& bar);
  void SetTabOrder();

  const WindowLayout& layout_;
  TForm& form_;
  QWidget* window_ = nullptr;  // set when the window has a text colour of its own
  std::vector<std::pair<std::string_view, QObject*>> controls_;  // menu items and timers too
  std::vector<std::pair<QObject*, KeyFilter>> keyFilters_;
};

}  // namespace dorvane
