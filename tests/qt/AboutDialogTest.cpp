#include <QApplication>
#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "qt/AboutWindow.h"
#include "forms/AboutTexts.h"
#include "qt/MessageBeep.h"
#include "platform/MemoryStatus.h"

namespace dorvane {
namespace {

using platform::MemoryFigures;

class ThrowingMemoryStatus final : public platform::MemoryStatus {
 public:
  MemoryFigures Query() const override { throw std::runtime_error("état de la mémoire illisible"); }
};

class ForeignMemoryStatus final : public platform::MemoryStatus {
 public:
  MemoryFigures Query() const override { throw 42; }  // no std::exception
};

// Counts the beeps and stands in for the machine's memory while a test runs.
class AboutTest : public ::testing::Test {
 protected:
  AboutTest() {
    SetMessageBeep([this] { ++beeps; });
    platform::SetActiveMemoryStatus(&memory);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
  }
  ~AboutTest() override {
    SetMessageBeep({});
    platform::SetActiveMemoryStatus(nullptr);
    QLocale::setDefault(QLocale::system());
  }

  // Runs box.Execute(); once its dialog is up, `check` sees it and the dialog is then closed,
  // so that no modal loop is left waiting whatever the check finds.
  void ExecuteAndCheck(TAboutBox& box, const std::function<void(TFAbout&)>& check) {
    bool checked = false;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<TFAbout*>(QApplication::activeModalWidget());
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

  int beeps = 0;
  platform::FixedMemoryStatus memory{MemoryFigures{268435456, 63}};
};

TEST_F(AboutTest, BoxTextsStartWithTheNoticeAndKeepAHundredCharacters) {
  TAboutBox box(nullptr);
  EXPECT_EQ(box.ProductName(), "");
  EXPECT_EQ(box.Version(), "");
  EXPECT_EQ(box.Copyright(), kMakerNotice);

  const std::string ascii(150, 'v');
  const std::string accented = [] {
    std::string s;
    for (int i = 0; i < 150; ++i) s += "é";
    return s;
  }();
  box.SetProductName(ascii);
  box.SetVersion(accented);
  box.SetCopyright("© " + std::string(98, 'x') + "😀 la suite");
  EXPECT_EQ(box.ProductName(), std::string(100, 'v'));
  EXPECT_EQ(box.Version(), accented.substr(0, 200));  // 100 two-byte characters
  EXPECT_EQ(box.Copyright(), "© " + std::string(98, 'x'));

  box.SetVersion("Version 1.0 - Win9x - Win XP");
  EXPECT_EQ(box.Version(), "Version 1.0 - Win9x - Win XP");
}

TEST_F(AboutTest, ExecuteShowsTheTextsAndATruncatedVersion) {
  TAboutBox box(nullptr);
  box.SetProductName("Dorvane");
  box.SetVersion(std::string(100, 'a') + std::string(50, 'b'));
  ExecuteAndCheck(box, [&](TFAbout& dialog) {
    EXPECT_EQ(Text(dialog.Label1), "Dorvane");
    EXPECT_EQ(Text(dialog.Label2), std::string(100, 'a'));
    EXPECT_EQ(Text(dialog.Label3), std::string(kMakerNotice));
    EXPECT_TRUE(dialog.isModal());
    EXPECT_TRUE(dialog.isVisible());
  });
}

TEST_F(AboutTest, EachShowingIsANewDialogThatBeepsOnceWithFiguresOfItsOwnMoment) {
  TAboutBox box(nullptr);
  QPointer<TFAbout> first;
  ExecuteAndCheck(box, [&](TFAbout& dialog) {
    first = &dialog;
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(Text(dialog.lblPhysMem), "Mémoire physique totale : 262\u202F144 Ko");
    EXPECT_EQ(Text(dialog.lblPhysRes), "Ressources système      : 37% libre.");
    memory.Set(MemoryFigures{24ull << 30, 10});
    EXPECT_EQ(Text(dialog.lblPhysMem),
              "Mémoire physique totale : 262\u202F144 Ko");  // not refreshed
  });
  EXPECT_TRUE(first.isNull()) << "the dialog outlived its showing";
  EXPECT_EQ(beeps, 1);

  ExecuteAndCheck(box, [&](TFAbout& dialog) {
    EXPECT_EQ(beeps, 2);
    EXPECT_EQ(Text(dialog.lblPhysMem), "Mémoire physique totale : 25\u202F165\u202F824 Ko");
    EXPECT_EQ(Text(dialog.lblPhysRes), "Ressources système      : 90% libre.");
  });
  EXPECT_EQ(beeps, 2);
}

TEST_F(AboutTest, TotalIsGroupedWithTheUsersSeparatorAndRounded) {
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
      // The largest 32-bit total, 4,194,303.999 Ko, rounds up.
      {QLocale(QLocale::English, QLocale::UnitedStates), 4294967295ull,
       "Mémoire physique totale : 4,194,304 Ko"},
      // A 64-bit total is shown whole: 24 GiB.
      {QLocale(QLocale::French, QLocale::France), 24ull << 30,
       "Mémoire physique totale : 25\u202F165\u202F824 Ko"},
      {QLocale(QLocale::English, QLocale::UnitedStates), 1536, "Mémoire physique totale : 2 Ko"},
  };
  for (const auto& c : cases) {
    QLocale::setDefault(c.locale);
    memory.Set(MemoryFigures{c.bytes, 50});
    TFAbout dialog;
    EXPECT_EQ(Text(dialog.lblPhysMem), c.text) << c.locale.name().toStdString() << " " << c.bytes;
  }
}

TEST_F(AboutTest, FailureWhileCreatingBeepsAndShowsNothing) {
  ThrowingMemoryStatus failing;
  platform::SetActiveMemoryStatus(&failing);
  TAboutBox box(nullptr);
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
    EXPECT_EQ(qobject_cast<TFAbout*>(w), nullptr) << "a dialog is left behind";
  }
}

TEST_F(AboutTest, OtherFailuresWhileCreatingPassOn) {
  ForeignMemoryStatus failing;
  platform::SetActiveMemoryStatus(&failing);
  TAboutBox box(nullptr);
  EXPECT_THROW(box.Execute(), int);
  EXPECT_EQ(beeps, 1);  // the dialog's own, none for the failure
}

TEST_F(AboutTest, WindowAndControlsStandAtTheirPlaces) {
  TFAbout dialog;
  EXPECT_EQ(dialog.windowTitle().toStdString(), "A propos de...");
  EXPECT_EQ(dialog.size(), QSize(294, 268));
  EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize()) << "the frame must not resize";
  const Qt::WindowFlags flags = dialog.windowFlags();
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  EXPECT_TRUE(flags & Qt::WindowSystemMenuHint);
  EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowContextHelpButtonHint);

  EXPECT_EQ(dialog.Image1->geometry(), QRect(0, 0, 294, 77));
  EXPECT_TRUE(dialog.Image1->HasPicture());
  EXPECT_EQ(dialog.FImage->geometry(), QRect(23, 95, 34, 34));
  EXPECT_EQ(dialog.Button1->geometry(), QRect(208, 223, 74, 26));
  EXPECT_EQ(dialog.Button1->text().toStdString(), "OK");
  const struct {
    const QLabel* label;
    QPoint at;
  } labels[] = {{dialog.lblPhysMem, {86, 173}},
                {dialog.lblPhysRes, {86, 193}},
                {dialog.Label1, {88, 96}},
                {dialog.Label2, {88, 120}},
                {dialog.Label3, {88, 136}}};
  for (const auto& l : labels) {
    EXPECT_EQ(l.label->pos(), l.at) << l.label->objectName().toStdString();
    EXPECT_EQ(l.label->size(), l.label->sizeHint()) << l.label->objectName().toStdString();
  }

  EXPECT_EQ(dialog.font().pixelSize(), 11);
  EXPECT_FALSE(dialog.font().bold());
  EXPECT_EQ(dialog.Label1->font().pixelSize(), 13);
  EXPECT_TRUE(dialog.Label1->font().bold());
  EXPECT_EQ(dialog.Label2->font().pixelSize(), 11);
  EXPECT_FALSE(dialog.Label2->font().bold());
  EXPECT_EQ(dialog.Label1->palette().color(QPalette::WindowText), QColor(Qt::black));

  // Later controls lie above earlier ones: the OK button last, the banner first.
  const QObjectList& children = dialog.children();
  const auto index = [&](const QObject* o) { return children.indexOf(const_cast<QObject*>(o)); };
  EXPECT_LT(index(dialog.Image1), index(dialog.lblPhysMem));
  EXPECT_LT(index(dialog.lblPhysRes), index(dialog.Line1));
  EXPECT_LT(index(dialog.Line1), index(dialog.Line2));
  EXPECT_LT(index(dialog.Line2), index(dialog.Label1));
  EXPECT_LT(index(dialog.Label3), index(dialog.FImage));
  EXPECT_LT(index(dialog.FImage), index(dialog.Button1));
}

TEST_F(AboutTest, LinesMakeAnEtchedSeparatorAt162And163) {
  TFAbout dialog;
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  // The lines take their final height at their first paint; the grab after it shows them at
  // rest.
  dialog.grab();
  QCoreApplication::processEvents();
  const QImage image = dialog.grab().toImage();
  EXPECT_EQ(dialog.Line1->geometry(), QRect(86, 158, 196, 10));
  EXPECT_EQ(dialog.Line2->geometry(), QRect(86, 159, 196, 10));

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

TEST_F(AboutTest, ProductTextsAreNeverReadAsMarkup) {
  TAboutBox box(nullptr);
  box.SetProductName("<b>Dorvane</b>");
  ExecuteAndCheck(box, [&](TFAbout& dialog) {
    EXPECT_EQ(dialog.Label1->textFormat(), Qt::PlainText);
    EXPECT_EQ(Text(dialog.Label1), "<b>Dorvane</b>");
  });
}

TEST_F(AboutTest, TheApplicationIconIsCopiedUnscaledAtTheTopLeft) {
  QPixmap red(32, 32);
  red.fill(Qt::red);
  const QIcon previous = QApplication::windowIcon();
  QApplication::setWindowIcon(QIcon(red));
  TFAbout dialog;
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
    std::function<void(TFAbout&)> act;
    bool closes;
  } cases[] = {
      {"OK clicked", [](TFAbout& d) { QTest::mouseClick(d.Button1, Qt::LeftButton); }, true},
      {"Enter on OK", [](TFAbout& d) { QTest::keyClick(d.Button1, Qt::Key_Return); }, true},
      {"Space on OK", [](TFAbout& d) { QTest::keyClick(d.Button1, Qt::Key_Space); }, true},
      {"close box", [](TFAbout& d) { d.close(); }, true},
      {"Escape", [](TFAbout& d) { QTest::keyClick(d.Button1, Qt::Key_Escape); }, false},
  };
  for (const auto& c : cases) {
    TFAbout dialog;
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(QApplication::focusWidget(), dialog.Button1) << c.how;
    c.act(dialog);
    EXPECT_EQ(dialog.isVisible(), !c.closes) << c.how;
    if (c.closes) {
      EXPECT_EQ(dialog.result(), QDialog::Rejected) << c.how;
    }
  }
}

}  // namespace
}  // namespace dorvane
