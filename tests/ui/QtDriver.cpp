// The window scenarios' driver on Qt, offscreen: input through QTest's events on the real
// widgets, reads through the widgets themselves.
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPalette>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTextDocument>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>
#include <QWheelEvent>

#include <memory>
#include <optional>

#include "Driver.h"
#include "FakePlatform.h"
#include "QtTestApp.h"
#include "forms/Application.h"
#include "help/hh.h"
#include "platform/QtText.h"
#include "platform/Registry.h"
#include "platform/Services.h"
#include "qt/AboutWindow.h"
#include "qt/MainWindow.h"
#include "qt/QtCanvas.h"
#include "qt/RxLabelWidget.h"
#include "qt/SearchWindow.h"
#include "qt/StatusBar.h"

// Qt's platform layer, as its screen reader bridge sees it.
class QPlatformAccessibility {
 public:
  void setActive(bool active);
};
class QPlatformIntegration {
 public:
  QPlatformAccessibility* accessibility() const;
};
class QGuiApplicationPrivate {
 public:
  static QPlatformIntegration* platform_integration;
};

namespace dorvane::ui {
namespace {

// Qt's keys, in the order of Key.
constexpr Qt::Key kQtKeys[] = {Qt::Key_Left,   Qt::Key_Right, Qt::Key_Up,     Qt::Key_Down,
                               Qt::Key_Home,   Qt::Key_End,   Qt::Key_Tab,    Qt::Key_Return,
                               Qt::Key_Escape, Qt::Key_Space, Qt::Key_Insert, Qt::Key_Delete,
                               Qt::Key_F6};

Qt::KeyboardModifiers QtModifiers(Modifiers mods) {
  Qt::KeyboardModifiers result;
  if (mods.shift) result |= Qt::ShiftModifier;
  if (mods.ctrl) result |= Qt::ControlModifier;
  if (mods.alt) result |= Qt::AltModifier;
  return result;
}

class QtDriver final : public FormsDriver<MainWindow, SearchWindow, AboutWindow> {
 public:
  QtDriver() {
    testing::TestApp().SetTitle(std::string(kApplicationTitle));
    QApplication::setFont(ToQFont(Font()));
    // The real error box, as the program shows it.
    testing::TestApp().SetErrorBox(nullptr);
    Open();
    QApplication::setActiveWindow(main_.get());
    // Modal windows are looked at, then closed, from within their own loop.
    QObject::connect(&poll_, &QTimer::timeout, [this] { LookAtModal(); });
    poll_.start(10);
    Process();
  }
  ~QtDriver() override {
    SetHighContrast(false);
    poll_.stop();
    EndMainWindow();
    if (helpServices_) {
      UnloadHelpViewer();
      helpServices_.reset();
    }
    testing::TestApp().SetErrorBox(testing::UnexpectedErrorBox);
  }

  void Process() override {
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
  }
  bool WaitFor(const std::function<bool()>& holds) override { return QTest::qWaitFor(holds, 2000); }

  void ClickTool(std::string_view button) override {
    auto* tool = main_->Controls().Get<QToolButton>(button);
    ASSERT_NE(tool, nullptr) << button;
    QTest::mouseClick(tool, Qt::LeftButton);
    Process();
  }
  void ChooseMenu(std::string_view item) override {
    auto* action = main_->Controls().Get<QAction>(item);
    ASSERT_NE(action, nullptr) << item;
    action->trigger();
    Process();
  }
  void ClickButton(Window window, std::string_view button) override {
    auto* push = Controls(window).Get<QPushButton>(button);
    ASSERT_NE(push, nullptr) << button;
    QTest::mouseClick(push, Qt::LeftButton);
    Process();
  }
  void MouseOnCell(Mouse act, int col, int row) override {
    static constexpr QEvent::Type kTypes[] = {QEvent::MouseButtonPress, QEvent::MouseMove,
                                              QEvent::MouseButtonRelease};
    QWidget* grid = main_->Controls().Find("Calendar1");
    const auto [x, y] = CellMiddle(col, row);
    const QPointF at(x, y);
    QMouseEvent event(kTypes[static_cast<int>(act)], at, grid->mapToGlobal(at),
                      act == Mouse::kMove ? Qt::NoButton : Qt::LeftButton,
                      act == Mouse::kRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(grid, &event);
    Process();
  }
  // To the widget under the pointer, as Qt hands it.
  void Wheel(std::string_view control, int delta) override {
    QWidget* under = main_->Controls().Find(control);
    const QPointF at(2, 2);
    QWheelEvent turn(at, under->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(under, &turn);
    Process();
  }
  void Type(Window window, std::string_view edit, std::string_view text) override {
    auto* field = Controls(window).Get<QLineEdit>(edit);
    ASSERT_NE(field, nullptr) << edit;
    field->clear();
    field->setFocus();
    for (const QChar c : QStringFromUtf8(text)) {
      if (c.unicode() >= 1 && c.unicode() <= 26) {  // Ctrl+letter
        QTest::keyClick(field, static_cast<Qt::Key>(Qt::Key_A + c.unicode() - 1),
                        Qt::ControlModifier);
      } else {
        QTest::keyClick(field, c.toLatin1());
      }
    }
    Process();
  }
  void Press(Window window, std::string_view control, Key key, Modifiers mods) override {
    QWidget* target = control.empty() ? Top(window) : Controls(window).Find(control);
    ASSERT_NE(target, nullptr) << control;
    QApplication::setActiveWindow(target->window());
    if (!control.empty()) target->setFocus();
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus != nullptr && focus->window() == target->window() ? focus : target,
                    kQtKeys[static_cast<int>(key)], QtModifiers(mods));
    Process();
  }
  void Activate(Window window) override {
    QWidget* top = Top(window);
    top->raise();
    top->activateWindow();
    QApplication::setActiveWindow(top);
    Process();
  }

  std::string Text(Window window, std::string_view control) override {
    if (auto* label = Controls(window).Get<RxLabelWidget>(control)) return label->Label().Caption();
    return Controls(window).Text(control);
  }
  Spoken ReadAloud(Window window, std::string_view control) override {
    QObject* object = control.empty() ? Top(window) : Controls(window).Find(control);
    return Read(QAccessible::queryAccessibleInterface(object));
  }
  Spoken ReadCellAloud(int col, int row) override {
    QWidget* grid = main_->Controls().Find("Calendar1");
    const auto [x, y] = CellMiddle(col, row);
    const QPoint at = grid->mapToGlobal(QPoint(x, y));
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(grid);
    return table != nullptr ? Read(table->childAt(at.x(), at.y())) : Spoken{};
  }
  // Offscreen Qt has no screen reader bridge, so nothing turns its accessibility on and no
  // notice would leave the widgets: the driver turns it on as a bridge does when a reader
  // listens.
  std::vector<std::string> HearFocus(const std::function<void()>& act) override {
    static std::vector<std::string> heard;
    heard.clear();
    const auto previous = QAccessible::installUpdateHandler([](QAccessibleEvent* event) {
      if (event->type() == QAccessible::Focus && event->child() >= 0)
        heard.push_back(event->accessibleInterface()->text(QAccessible::Name).toStdString());
    });
    QPlatformAccessibility* bridge = QGuiApplicationPrivate::platform_integration->accessibility();
    bridge->setActive(true);
    act();
    bridge->setActive(false);
    QAccessible::installUpdateHandler(previous);
    return std::exchange(heard, {});
  }
  std::string ReadPanelAloud(int panel) override {
    QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(StatusBar());
    if (bar == nullptr || bar->role() != QAccessible::StatusBar) return {};
    QAccessibleInterface* part = bar->child(panel);
    return part != nullptr ? part->text(QAccessible::Name).toStdString() : std::string();
  }
  std::string PanelText(int panel) override { return StatusBar()->PanelText(panel); }
  std::string ToolTip(Window window, std::string_view control) override {
    if (control.starts_with("Panel"))
      return PlainTip(StatusBar()->Panel(control.back() - '0')->toolTip());
    QWidget* widget = Controls(window).Find(control);
    if (widget == nullptr) return {};
    widget->grab();  // painting finds a caption cut
    return PlainTip(widget->toolTip());
  }
  bool MenuChecked(std::string_view item) override {
    auto* action = main_->Controls().Get<QAction>(item);
    return action != nullptr && action->isChecked();
  }
  std::string CellToolTip(int col, int row) override {
    QWidget* grid = main_->Controls().Find("Calendar1");
    const auto [x, y] = CellMiddle(col, row);
    const QPoint at(x, y);
    QToolTip::hideText();
    QHelpEvent help(QEvent::ToolTip, at, grid->mapToGlobal(at));
    QCoreApplication::sendEvent(grid, &help);
    Process();
    // A cell without a hint leaves the request to the parent.
    return help.isAccepted() && QToolTip::isVisible() ? PlainTip(QToolTip::text()) : std::string();
  }
  bool TextFits(Window window, std::string_view control) override {
    QWidget* widget = Controls(window).Find(control);
    if (auto* label = qobject_cast<RxLabelWidget*>(widget)) {
      const QFontMetrics metrics(ToQFont(label->Label().Font()));
      return metrics.horizontalAdvance(QStringFromUtf8(label->Label().Caption())) +
                 label->Label().ShadowSize() <=
             label->width();
    }
    if (auto* text = qobject_cast<QLabel*>(widget)) {
      return text->fontMetrics().horizontalAdvance(text->text()) <= text->contentsRect().width();
    }
    return false;
  }
  std::string Focus() override {
    QWidget* focus = QApplication::focusWidget();
    for (Window window : {Window::kMain, Window::kSearch, Window::kAbout}) {
      if (window == Window::kAbout && about_ == nullptr) continue;
      for (QWidget* w = focus; w != nullptr; w = w->parentWidget()) {
        if (!w->objectName().isEmpty() && Controls(window).Find(w->objectName().toStdString()) == w)
          return w->objectName().toStdString();
      }
    }
    return {};
  }
  bool Visible(Window window) override { return Top(window)->isVisible(); }
  bool Active(Window window) override { return QApplication::activeWindow() == Top(window); }
  bool Enabled(Window window) override {
    QWidget* top = Top(window);
    // An application-modal window blocks the others as a disabled window would.
    QWidget* modal = QApplication::activeModalWidget();
    return top->isEnabled() && (modal == nullptr || modal == top);
  }
  Size ClientSize(Window window) override {
    QWidget* top = Top(window);
    const qreal ratio = top->devicePixelRatioF();
    QWidget* client = window == Window::kMain ? main_->centralWidget() : top;
    return {static_cast<int>(client->width() * ratio), static_cast<int>(client->height() * ratio)};
  }
  Span HorizontalSpan(Window window, std::string_view control) override {
    QWidget* widget = Controls(window).Find(control);
    if (widget == nullptr) return {};
    QWidget* top = Top(window);
    QWidget* client = window == Window::kMain ? main_->centralWidget() : top;
    const int left = widget->mapTo(top, QPoint(0, 0)).x() - client->mapTo(top, QPoint(0, 0)).x();
    const qreal ratio = widget->devicePixelRatioF();
    return {static_cast<int>(left * ratio), static_cast<int>((left + widget->width()) * ratio)};
  }
  void SetHighContrast(bool on) override {
    if (on && !usualPalette_) {
      usualPalette_ = QApplication::palette();
      QPalette scheme;
      const auto set = [&scheme](QPalette::ColorRole role, QColor color) {
        scheme.setColor(QPalette::All, role, color);
      };
      for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Button,
                                       QPalette::AlternateBase, QPalette::ToolTipBase}) {
        set(role, Qt::black);
      }
      for (QPalette::ColorRole role :
           {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::BrightText,
            QPalette::ToolTipText, QPalette::HighlightedText, QPalette::Light}) {
        set(role, Qt::white);
      }
      set(QPalette::Highlight, QColor(0x80, 0x00, 0x80));
      set(QPalette::Mid, QColor(0x80, 0x80, 0x80));
      set(QPalette::Dark, QColor(0x80, 0x80, 0x80));
      set(QPalette::Shadow, QColor(0x80, 0x80, 0x80));
      QApplication::setPalette(scheme);
    } else if (!on && usualPalette_) {
      QApplication::setPalette(*std::exchange(usualPalette_, std::nullopt));
    }
    Process();
  }
  Picture Capture(Window window, std::string_view control) override {
    QWidget* widget = Controls(window).Find(control);
    if (widget == nullptr) return {};
    QWidget* top = Top(window);
    const QImage shot = top->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const qreal ratio = shot.devicePixelRatio();
    const QPoint at = widget->mapTo(top, QPoint(0, 0)) * ratio;
    Picture picture{
        static_cast<int>(widget->width() * ratio), static_cast<int>(widget->height() * ratio), {}};
    for (int y = 0; y < picture.height; ++y) {
      for (int x = 0; x < picture.width; ++x) {
        picture.rgb.push_back(shot.pixel(at.x() + x, at.y() + y) & 0xFFFFFFu);
      }
    }
    return picture;
  }

  void TickClock() override {
    auto* timer = main_->Controls().Get<QTimer>("Timer1");
    bool fired = false;
    const QMetaObject::Connection watch =
        QObject::connect(timer, &QTimer::timeout, [&fired] { fired = true; });
    WaitFor([&fired] { return fired; });
    QObject::disconnect(watch);
    Process();
  }
  bool CentredOnScreen(Window window) override {
    QWidget* top = Top(window);
    const QPoint centre = top->screen()->availableGeometry().center();
    return (top->frameGeometry().center() - centre).manhattanLength() <= 4;
  }
  bool MoveToDpi(Window, int) override { return false; }
  void Raise(Window window, std::string_view control) override {
    if (QWidget* widget = Controls(window).Find(control)) widget->raise();
    Process();
  }

  void Show(Window window, Shown state) override {
    static constexpr void (QWidget::*kShow[])() = {&QWidget::showMinimized, &QWidget::showNormal,
                                                   &QWidget::showMaximized};
    (Top(window)->*kShow[static_cast<int>(state)])();
    Process();
  }
  void RequestClientSize(Window window, Size size) override {
    Top(window)->resize(size.width, size.height);
    Process();
  }

  // Offscreen, no manager runs.
  bool ManagerMaximise(Window) override { return false; }
  bool ManagerResize(Window, Size) override { return false; }

  bool ErrorBoxInFront() override {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) return false;
    // Application-modal and the active window: nothing of ours can come over it.
    return box->windowModality() == Qt::ApplicationModal && QApplication::activeWindow() == box;
  }

  void LoadHelpViewer() override {
    registry_.keys[std::string(platform::kHtmlHelpViewerKey)] = DORVANE_HHCTRL;
    process_.moduleFileName = DORVANE_PROGRAM;  // beside the help file, as in the build tree
    helpServices_.emplace(platform::Services{.registry = &registry_, .process = &process_});
    dorvane::LoadHelpViewer();
  }
  int HelpWindows() override {
    int count = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (w != main_.get() && w->isVisible() && qobject_cast<QMainWindow*>(w) != nullptr) ++count;
    }
    return count;
  }

 private:
  TStatusBar* StatusBar() { return main_->Controls().Get<TStatusBar>("StatusBar1"); }
  QWidget* Top(Window window) {
    return window == Window::kMain     ? main_.get()
           : window == Window::kSearch ? static_cast<QWidget*>(search_.get())
                                       : about_;
  }
  static Spoken Read(QAccessibleInterface* read) {
    if (read == nullptr) return {};
    static const std::pair<QAccessible::Role, Role> kRoles[] = {
        {QAccessible::StaticText, Role::kStaticText},
        {QAccessible::EditableText, Role::kEditableText},
        {QAccessible::Button, Role::kButton},
        {QAccessible::Dialog, Role::kDialog},
        {QAccessible::Table, Role::kTable},
        {QAccessible::ColumnHeader, Role::kColumnHeader},
        {QAccessible::Cell, Role::kCell}};
    Spoken spoken{Role::kOther, read->text(QAccessible::Name).toStdString()};
    for (const auto& [qt, role] : kRoles) {
      if (read->role() == qt) spoken.role = role;
    }
    return spoken;
  }
  static std::string PlainTip(const QString& tip) {
    QTextDocument document;
    document.setHtml(tip);
    return document.toPlainText().toStdString();
  }

  void LookAtModal() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || busy_) return;
    busy_ = true;
    about_ = qobject_cast<AboutWindow*>(modal);
    auto* box = qobject_cast<QMessageBox*>(modal);
    Process();
    RunWhileShown();
    if (box != nullptr) {
      boxes_.push_back(box->windowTitle().toStdString() + ": " + box->text().toStdString());
      box->button(QMessageBox::Ok)->click();
    } else if (about_ != nullptr) {
      QTest::mouseClick(about_->Controls().Get<QPushButton>("Button1"), Qt::LeftButton);
    } else {
      modal->close();
    }
    about_ = nullptr;
    busy_ = false;
  }

  testing::FakeRegistry registry_;
  testing::FakeProcess process_;
  std::optional<platform::ServicesScope> helpServices_;
  QTimer poll_;
  std::optional<QPalette> usualPalette_;
};

}  // namespace

std::unique_ptr<Driver> MakeDriver() {
  return std::make_unique<QtDriver>();
}

int RunProgram(const std::vector<std::string>& arguments, int dpi, int /*textPercent*/) {
  QStringList list;
  for (const std::string& argument : arguments) list << QStringFromUtf8(argument);
  QProcess program;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  // The program reads no choices of the user's own: it starts with the default ones.
  environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                     QDir::current().absoluteFilePath(QStringLiteral("no-user-config")));
  environment.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::number(dpi / 96.0));
  program.setProcessEnvironment(environment);
  program.start(QStringLiteral(DORVANE_PROGRAM), list);
  if (!program.waitForFinished(60000)) return -1;
  return program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
}

Picture ReadPicture(const std::string& file) {
  const QImage image = QImage(QStringFromUtf8(file)).convertToFormat(QImage::Format_RGB32);
  Picture picture{image.width(), image.height(), {}};
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) picture.rgb.push_back(row[x] & 0xFFFFFFu);
  }
  return picture;
}

}  // namespace dorvane::ui
