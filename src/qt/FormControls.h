#pragma once

#include <QObject>
#include <QString>
#include <QWidget>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "forms/Layout.h"

class QAction;
class QMenuBar;
class QTimer;

namespace dorvane {

// Text of ours (UTF-8) as Qt's, and back.
QString ToQString(std::string_view text);

// The Qt flags of a window of the table: `type` is Qt::Window for the main window and
// Qt::Dialog for the others.
Qt::WindowFlags WindowFlagsOf(const WindowLayout& layout, Qt::WindowType type);

// Gives a window the caption, icon and font of its table.
void ApplyWindowLayout(QWidget& window, const WindowLayout& layout);

// The controls of one window, created from its table in creation order under `client`
// (the window's client area), each named as in the table, and their events handed to the
// form's handlers. Knows nothing of any particular window.
class FormControls : public QObject {
  Q_OBJECT

 public:
  FormControls(QWidget& client, const WindowLayout& layout, TForm& form);

  QWidget* Find(std::string_view name) const;
  template <class Widget>
  Widget* Get(std::string_view name) const {
    return qobject_cast<Widget*>(Find(name));
  }
  QTimer* Timer(std::string_view name) const;

  // The menu of the table, in `bar`.
  void BuildMenu(QMenuBar& bar);
  QAction* MenuItem(std::string_view name) const;

  // The common view operations on a named control.
  void SetText(std::string_view control, std::string_view text);
  std::string Text(std::string_view control) const;
  void SetFocus(std::string_view control);
  // A panel of the window's status bar.
  void SetPanelText(int panel, std::string_view text);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* Create(const ControlLayout& row, QWidget* parent);
  void AddToolButtons(QWidget* toolBar);
  void SetTabOrder();
  void Forward(Handler handler);

  const WindowLayout& layout_;
  TForm& form_;
  std::vector<std::pair<std::string_view, QObject*>> controls_;
  std::vector<std::pair<QObject*, KeyFilter>> keyFilters_;
  std::vector<std::pair<std::string_view, QAction*>> menuItems_;
};

}  // namespace dorvane
