#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/MemoryStatus.h"
#include "platform/Services.h"
#include "qt/AboutWindow.h"
#include "qt/MessageBeep.h"
#include "qt/SvgPicture.h"

namespace dorvane {
namespace {

using platform::MemoryFigures;

class ThrowingMemoryStatus final : public platform::MemoryStatus {
 public:
  MemoryFigures Query() const override { throw std::runtime_error("état de la mémoire illisible"); }
};

// The About component's owner, as the main window is: its dialogs stand above nothing.
class QtAboutBoxHost final : public AboutBoxHost {
 public:
  std::unique_ptr<AboutDialog> CreateAboutDialog() override { return AboutWindow::Create(nullptr); }
  void Beep() override { MessageBeep(); }
};

// Counts the beeps and stands in for the machine's memory while a test runs.
class AboutTest : public ::testing::Test {
 protected:
  AboutTest() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }
  ~AboutTest() override { QLocale::setDefault(QLocale::system()); }

  // Runs box.Execute(); once its dialog is up, `check` sees it and the dialog is then closed,
  // so that no modal loop is left waiting whatever the check finds.
  void ExecuteAndCheck(TAboutBox& box, const std::function<void(AboutWindow&)>& check) {
    bool checked = false;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<AboutWindow*>(QApplication::activeModalWidget());
      if (dialog == nullptr) {
        ADD_FAILURE() << "no modal About dialog";
        if (QWidget* other = QApplication::activeModalWidget()) other->close();
        return;
      }
      checked = true;
      check(*dialog);
      dialog->close();
    });
    box.Execute();
    EXPECT_TRUE(checked);
  }

  static std::string Text(const QLabel* label) { return label->text().toStdString(); }
  static QLabel* Label(const AboutWindow& dialog, std::string_view name) {
    return dialog.Controls().Get<QLabel>(name);
  }
  template <class Widget = QWidget>
  static Widget* Control(const AboutWindow& dialog, std::string_view name) {
    return dialog.Controls().Get<Widget>(name);
  }

  QtAboutBoxHost host;
  int beeps = 0;
  platform::FixedMemoryStatus memory{MemoryFigures{268435456, 63}};
  platform::ServicesScope services{{.memory = &memory, .beep = [this] { ++beeps; }}};
};

TEST_F(AboutTest, ExecuteShowsTheTextsInAModalDialogThatBeepsOnceAndGoes) {
  TAboutBox box(host);
  box.SetProductName("<b>Dorvane</b>");
  QPointer<AboutWindow> shown;
  ExecuteAndCheck(box, [&](AboutWindow& dialog) {
    shown = &dialog;
    // Never read as markup.
    EXPECT_EQ(Label(dialog, "Label1")->textFormat(), Qt::PlainText);
    EXPECT_EQ(Text(Label(dialog, "Label1")), "<b>Dorvane</b>");
    EXPECT_EQ(Text(Label(dialog, "lblPhysRes")), "Ressources système      : 37% libre.");
    EXPECT_TRUE(dialog.isModal());
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(beeps, 1);
  });
  EXPECT_TRUE(shown.isNull()) << "the dialog outlived its showing";
}

TEST_F(AboutTest, TheDialogWidensSoThatNoTextIsCut) {
  TAboutBox box(host);
  box.SetVersion("Version 1.0 - Win9x - Win XP");
  ExecuteAndCheck(box, [&](AboutWindow& dialog) { EXPECT_EQ(dialog.width(), 294); });
  // 100 GiB, and a version of a hundred characters.
  memory.Set(MemoryFigures{100ull << 30, 50});
  box.SetVersion(std::string(100, 'W'));
  ExecuteAndCheck(box, [&](AboutWindow& dialog) {
    for (const QLabel* label : {Label(dialog, "Label2"), Label(dialog, "lblPhysMem")}) {
      EXPECT_EQ(label->width(), label->sizeHint().width());
      EXPECT_LE(label->geometry().right(), dialog.width() - 12);
    }
    EXPECT_EQ(dialog.height(), 268);
  });
}

TEST_F(AboutTest, TheTotalIsGroupedWithTheSeparatorOfTheUsersLocale) {
  const struct {
    QLocale locale;
    std::uint64_t bytes;
    const char* text;
  } cases[] = {
      {QLocale(QLocale::French, QLocale::France), 268435456,
       "Mémoire physique totale : 262\u202F144 Ko"},
      {QLocale(QLocale::English, QLocale::UnitedStates), 268435456,
       "Mémoire physique totale : 262,144 Ko"},
      {QLocale(QLocale::German, QLocale::Germany), 268435456,
       "Mémoire physique totale : 262.144 Ko"},
  };
  for (const auto& c : cases) {
    QLocale::setDefault(c.locale);
    memory.Set(MemoryFigures{c.bytes, 50});
    AboutWindow dialog;
    EXPECT_EQ(Text(Label(dialog, "lblPhysMem")), c.text)
        << c.locale.name().toStdString() << " " << c.bytes;
  }
}

TEST_F(AboutTest, FailureWhileCreatingBeepsAndShowsNothing) {
  ThrowingMemoryStatus failing;
  const platform::ServicesScope failingMemory({.memory = &failing});
  TAboutBox box(host);
  // Should a dialog open after all, close it rather than wait.
  bool shown = false;
  QTimer guard;
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, [&] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      shown = true;
      modal->close();
    }
  });
  guard.start(0);
  EXPECT_NO_THROW(box.Execute());
  EXPECT_FALSE(shown);
  // The dialog beeps as it is created, before it reads the memory; Execute beeps for the
  // failure.
  EXPECT_EQ(beeps, 2);
  for (QWidget* w : QApplication::topLevelWidgets()) {
    EXPECT_EQ(qobject_cast<AboutWindow*>(w), nullptr) << "a dialog is left behind";
  }
}

TEST_F(AboutTest, WindowAndControlsStandAtTheirPlaces) {
  AboutWindow dialog;
  EXPECT_EQ(dialog.windowTitle().toStdString(), "A propos de...");
  EXPECT_EQ(dialog.size(), QSize(294, 268));
  EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize()) << "the frame must not resize";
  const Qt::WindowFlags flags = dialog.windowFlags();
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  EXPECT_TRUE(flags & Qt::WindowSystemMenuHint);
  EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowContextHelpButtonHint);

  EXPECT_EQ(Control(dialog, "Image1")->geometry(), QRect(0, 0, 294, 77));
  EXPECT_TRUE(Control<SvgPicture>(dialog, "Image1")->HasPicture());
  EXPECT_EQ(Control(dialog, "FImage")->geometry(), QRect(23, 95, 34, 34));
  EXPECT_EQ(Control(dialog, "Button1")->geometry(), QRect(208, 223, 74, 26));
  EXPECT_EQ(Control<QPushButton>(dialog, "Button1")->text().toStdString(), "OK");
  const struct {
    const QLabel* label;
    QPoint at;
  } labels[] = {{Label(dialog, "lblPhysMem"), {86, 173}},
                {Label(dialog, "lblPhysRes"), {86, 193}},
                {Label(dialog, "Label1"), {88, 96}},
                {Label(dialog, "Label2"), {88, 120}},
                {Label(dialog, "Label3"), {88, 136}}};
  for (const auto& l : labels) {
    EXPECT_EQ(l.label->pos(), l.at) << l.label->objectName().toStdString();
    EXPECT_EQ(l.label->size(), l.label->sizeHint()) << l.label->objectName().toStdString();
  }

  EXPECT_EQ(dialog.font().pixelSize(), 11);
  EXPECT_FALSE(dialog.font().bold());
  EXPECT_EQ(Label(dialog, "Label1")->font().pixelSize(), 13);
  EXPECT_TRUE(Label(dialog, "Label1")->font().bold());
  EXPECT_EQ(Label(dialog, "Label2")->font().pixelSize(), 11);
  EXPECT_FALSE(Label(dialog, "Label2")->font().bold());
  EXPECT_EQ(Label(dialog, "Label1")->palette().color(QPalette::WindowText), QColor(Qt::black));

  // Later controls lie above earlier ones: the OK button last, the banner first.
  const QObjectList& children = dialog.children();
  const auto index = [&](const QObject* o) { return children.indexOf(const_cast<QObject*>(o)); };
  EXPECT_LT(index(Control(dialog, "Image1")), index(Label(dialog, "lblPhysMem")));
  EXPECT_LT(index(Label(dialog, "lblPhysRes")), index(Control(dialog, "Line1")));
  EXPECT_LT(index(Control(dialog, "Line1")), index(Control(dialog, "Line2")));
  EXPECT_LT(index(Control(dialog, "Line2")), index(Label(dialog, "Label1")));
  EXPECT_LT(index(Label(dialog, "Label3")), index(Control(dialog, "FImage")));
  EXPECT_LT(index(Control(dialog, "FImage")), index(Control(dialog, "Button1")));
}

TEST_F(AboutTest, LinesMakeAnEtchedSeparatorAt162And163) {
  AboutWindow dialog;
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  // The lines take their final height at their first paint; the grab after it shows them at
  // rest.
  dialog.grab();
  QCoreApplication::processEvents();
  const QImage image = dialog.grab().toImage();
  EXPECT_EQ(Control(dialog, "Line1")->geometry(), QRect(86, 158, 196, 10));
  EXPECT_EQ(Control(dialog, "Line2")->geometry(), QRect(86, 159, 196, 10));

  const QColor black(Qt::black);
  const QColor white(Qt::white);
  const QColor face = image.pixelColor(140, 210);  // the dialog's own colour, under nothing
  ASSERT_NE(face, black);
  ASSERT_NE(face, white);
  for (int x = 86; x <= 280; ++x) {
    EXPECT_EQ(image.pixelColor(x, 162), black) << "x = " << x;
    EXPECT_EQ(image.pixelColor(x, 163), white) << "x = " << x;
  }
  for (int y : {158, 161, 164, 167}) {
    EXPECT_EQ(image.pixelColor(150, y), face) << "y = " << y;
  }
  // Neither end point is drawn, nor anything left of the lines.
  for (int y : {162, 163}) {
    EXPECT_EQ(image.pixelColor(281, y), face) << "y = " << y;
    EXPECT_EQ(image.pixelColor(85, y), face) << "y = " << y;
  }
  // The first paint's lines, at y = 32 of the lines' first height, are gone.
  EXPECT_EQ(image.pixelColor(150, 190), face);
  EXPECT_EQ(image.pixelColor(150, 191), face);
}

TEST_F(AboutTest, TheApplicationIconIsCopiedUnscaledAtTheTopLeft) {
  QPixmap red(32, 32);
  red.fill(Qt::red);
  const QIcon previous = QApplication::windowIcon();
  QApplication::setWindowIcon(QIcon(red));
  AboutWindow dialog;
  QApplication::setWindowIcon(previous);
  dialog.show();
  const QImage image = dialog.grab().toImage();
  dialog.hide();
  const auto isRed = [&](int x, int y) { return image.pixelColor(x, y) == QColor(Qt::red); };
  EXPECT_TRUE(isRed(23, 95));
  EXPECT_TRUE(isRed(54, 126));
  EXPECT_FALSE(isRed(55, 95));
  EXPECT_FALSE(isRed(23, 127));
  EXPECT_FALSE(isRed(22, 95));
}

TEST_F(AboutTest, OkEnterSpaceAndCloseEndTheDialogButEscapeDoesNot) {
  const struct {
    const char* how;
    std::function<void(AboutWindow&)> act;
    bool closes;
  } cases[] = {
      {"OK clicked",
       [](AboutWindow& d) { QTest::mouseClick(Control(d, "Button1"), Qt::LeftButton); }, true},
      {"Enter on OK",
       [](AboutWindow& d) { QTest::keyClick(Control(d, "Button1"), Qt::Key_Return); }, true},
      {"Space on OK", [](AboutWindow& d) { QTest::keyClick(Control(d, "Button1"), Qt::Key_Space); },
       true},
      {"close box", [](AboutWindow& d) { d.close(); }, true},
      {"Escape", [](AboutWindow& d) { QTest::keyClick(Control(d, "Button1"), Qt::Key_Escape); },
       false},
  };
  for (const auto& c : cases) {
    AboutWindow dialog;
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(QApplication::focusWidget(), Control(dialog, "Button1")) << c.how;
    c.act(dialog);
    EXPECT_EQ(dialog.isVisible(), !c.closes) << c.how;
    if (c.closes) {
      EXPECT_EQ(dialog.result(), QDialog::Rejected) << c.how;
    }
  }
}

}  // namespace
}  // namespace dorvane
