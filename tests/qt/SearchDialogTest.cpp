#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

#include <memory>
#include <string>

#include "QtTestApp.h"
#include "qt/CalendarWidget.h"
#include "dates/ConvertError.h"
#include "qt/SearchWindow.h"

namespace dorvane {
namespace {

using testing::ErrorBoxRecorder;
using testing::TestApp;

class SearchDialogTest : public ::testing::Test {
 protected:
  SearchDialogTest() {
    TestApp();
    main_ = std::make_unique<QWidget>();
    grid_ = new CalendarWidget(main_.get());
    grid_->Calendar().SetSelectedDate(kStart);
    form2_ = std::make_unique<TForm2>(main_.get(), grid_->Calendar());
  }

  void Type(const char* day, const char* month, const char* year) {
    form2_->Edit3->setText(QString::fromUtf8(day));
    form2_->Edit2->setText(QString::fromUtf8(month));
    form2_->Edit1->setText(QString::fromUtf8(year));
  }

  TDateTime Shown() { return grid_->Calendar().SelectedDate(); }

  static constexpr TDateTime kStart = 38418;  // 7 March 2005
  std::unique_ptr<QWidget> main_;
  CalendarWidget* grid_ = nullptr;
  std::unique_ptr<TForm2> form2_;
};

struct SearchCase {
  const char* day;
  const char* month;
  const char* year;
  const char* box;           // empty: accepted
  bool mainBroughtForward;
  DateParts shown;           // the grid's date afterwards
};

void PrintTo(const SearchCase& c, std::ostream* os) {
  *os << '"' << c.day << "\" \"" << c.month << "\" \"" << c.year << '"';
}

class SearchTableTest : public SearchDialogTest, public ::testing::WithParamInterface<SearchCase> {};

TEST_P(SearchTableTest, ChecksRunInOrderAndOnlyAGoodDateMovesTheGrid) {
  const SearchCase& c = GetParam();
  main_->hide();
  form2_->ShowForward();
  Type(c.day, c.month, c.year);
  ErrorBoxRecorder box;
  form2_->btnAfficher->click();
  if (*c.box == '\0') {
    EXPECT_TRUE(box.texts.empty());
  } else {
    ASSERT_EQ(box.texts.size(), 1u);
    EXPECT_EQ(box.texts[0], c.box);
  }
  EXPECT_EQ(main_->isVisible(), c.mainBroughtForward);
  EXPECT_EQ(SplitDate(Shown()), c.shown);
  // The dialog stays open with the fields as typed.
  EXPECT_TRUE(form2_->isVisible());
  EXPECT_EQ(form2_->Edit3->text(), QString::fromUtf8(c.day));
  EXPECT_EQ(form2_->Edit1->text(), QString::fromUtf8(c.year));
}

constexpr DateParts kUnmoved{2005, 3, 7};

INSTANTIATE_TEST_SUITE_P(
    Fields, SearchTableTest,
    ::testing::Values(
        SearchCase{"", "", "", "'' n'est pas une valeur entière correcte.", false, kUnmoved},
        // The year is read first, then the month, then the day.
        SearchCase{"x", "y", "z", "'z' n'est pas une valeur entière correcte.", false, kUnmoved},
        SearchCase{"x", "y", "2005", "'y' n'est pas une valeur entière correcte.", false, kUnmoved},
        SearchCase{"x", "3", "2005", "'x' n'est pas une valeur entière correcte.", false, kUnmoved},
        SearchCase{"31", "2", "2005", "Argument incorrect pour l'encodage de date.", true, kUnmoved},
        SearchCase{"1", "1", "0", "Argument incorrect pour l'encodage de date.", true, kUnmoved},
        SearchCase{"29", "2", "1900", "Argument incorrect pour l'encodage de date.", true, kUnmoved},
        SearchCase{"29", "2", "2005", "Argument incorrect pour l'encodage de date.", true, kUnmoved},
        SearchCase{"-1", "3", "2005", "Argument incorrect pour l'encodage de date.", true, kUnmoved},
        SearchCase{"1", "13", "2005", "Argument incorrect pour l'encodage de date.", true, kUnmoved},
        SearchCase{"29", "2", "2004", "", true, {2004, 2, 29}},
        SearchCase{"31", "12", "9999", "", true, {9999, 12, 31}},
        SearchCase{"5", "3", "05", "", true, {5, 3, 5}},
        SearchCase{" 8", "$C", "2005", "", true, {2005, 12, 8}}));

TEST_F(SearchDialogTest, AMinimisedMainWindowComesBackForTheDate) {
  main_->showMinimized();
  ASSERT_TRUE(main_->isMinimized());
  Type("8", "5", "1945");
  form2_->btnAfficher->click();
  EXPECT_FALSE(main_->isMinimized());
  EXPECT_TRUE(main_->isVisible());
  EXPECT_EQ(SplitDate(Shown()), (DateParts{1945, 5, 8}));
}

TEST_F(SearchDialogTest, ValuesThatCannotBeUnsigned16BitAreNoDate) {
  EXPECT_THROW(SearchedDate(65536 + 2005, 3, 7), EConvertError);
  EXPECT_THROW(SearchedDate(2005, 3, -65529), EConvertError);
  EXPECT_EQ(SearchedDate(2005, 3, 7), kStart);
}

TEST_F(SearchDialogTest, ShowingTheSameDateTwiceRebuildsEachTime) {
  int notices = 0;
  grid_->Calendar().OnChange = [&notices](TCalendar&) { ++notices; };
  Type("7", "3", "2005");
  form2_->btnAfficher->click();
  form2_->btnAfficher->click();
  EXPECT_EQ(notices, 2);
  EXPECT_EQ(Shown(), kStart);
}

TEST_F(SearchDialogTest, KeyFilterLetsOnlyDigitsAndBackspaceThrough) {
  form2_->ShowForward();
  QLineEdit* edits[] = {form2_->Edit3, form2_->Edit2, form2_->Edit1};
  for (QLineEdit* edit : edits) {
    edit->setFocus();
    QTest::keyClicks(edit, "a1-b +2.");
    EXPECT_EQ(edit->text(), "12") << edit->objectName().toStdString();
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(edit->text(), "1");
    QTest::keyClick(edit, Qt::Key_Space);
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_EQ(edit->text(), "1");
  }
  EXPECT_EQ(Edit3KeyPress(U'a'), 15u);
  EXPECT_EQ(Edit3KeyPress(U'\r'), 15u);
  EXPECT_EQ(Edit3KeyPress(0), 15u);
  EXPECT_EQ(Edit3KeyPress(8), 8u);
  EXPECT_EQ(Edit3KeyPress(U'0'), U'0');
  EXPECT_EQ(Edit3KeyPress(U'9'), U'9');
}

TEST_F(SearchDialogTest, ClipboardShortcutsChangeNothingButTheContextMenuPastes) {
  form2_->ShowForward();
  QGuiApplication::clipboard()->setText("7x");
  QLineEdit* edit = form2_->Edit1;
  edit->setText("12");
  edit->setFocus();
  QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
  QTest::keyClick(edit, Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ(edit->text(), "12");
  edit->selectAll();
  QTest::keyClick(edit, Qt::Key_X, Qt::ControlModifier);
  QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(edit->text(), "12");
  // The context menu's paste is the edit's own paste: unfiltered, within the length limit.
  edit->clear();
  edit->paste();
  EXPECT_EQ(edit->text(), "7x");
}

TEST_F(SearchDialogTest, LengthLimits) {
  form2_->ShowForward();
  QTest::keyClicks(form2_->Edit3, "123");
  QTest::keyClicks(form2_->Edit2, "456");
  QTest::keyClicks(form2_->Edit1, "78901");
  EXPECT_EQ(form2_->Edit3->text(), "12");
  EXPECT_EQ(form2_->Edit2->text(), "45");
  EXPECT_EQ(form2_->Edit1->text(), "7890");
  form2_->Edit1->setText("123456");
  EXPECT_EQ(form2_->Edit1->text(), "1234");
}

TEST_F(SearchDialogTest, EnterAndEscapePressNeitherButton) {
  form2_->ShowForward();
  Type("29", "2", "2004");
  ErrorBoxRecorder box;
  for (QWidget* w : std::initializer_list<QWidget*>{form2_->Edit3, form2_->Edit1,
                                                    form2_->btnAfficher, form2_->Button1}) {
    QTest::keyClick(w, Qt::Key_Return);
    QTest::keyClick(w, Qt::Key_Enter);
    QTest::keyClick(w, Qt::Key_Escape);
  }
  QTest::keyClick(form2_.get(), Qt::Key_Escape);
  EXPECT_EQ(Shown(), kStart);
  EXPECT_TRUE(form2_->isVisible());
  EXPECT_TRUE(box.texts.empty());
  EXPECT_FALSE(form2_->btnAfficher->isDefault());
  EXPECT_FALSE(form2_->btnAfficher->autoDefault());
  EXPECT_FALSE(form2_->Button1->autoDefault());
}

TEST_F(SearchDialogTest, TabVisitsDayMonthYearThenTheButtons) {
  form2_->ShowForward();
  QApplication::setActiveWindow(form2_.get());
  form2_->Edit3->setFocus();
  QWidget* expected[] = {form2_->Edit2, form2_->Edit1, form2_->btnAfficher, form2_->Button1,
                         form2_->Edit3};
  for (QWidget* next : expected) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), next);
  }
}

TEST_F(SearchDialogTest, LayoutCaptionAndIcon) {
  EXPECT_EQ(form2_->windowTitle(), "Rechercher...");
  EXPECT_EQ(form2_->GroupBox1->title(), "Date (jj mm dddd) : ");
  EXPECT_FALSE(form2_->windowIcon().isNull());
  EXPECT_EQ(form2_->size(), QSize(TForm2::kClientWidth, TForm2::kClientHeight));
  const std::pair<QWidget*, QRect> placed[] = {
      {form2_->GroupBox1, {8, 8, 281, 73}},    {form2_->Label3, {24, 36, 26, 13}},
      {form2_->Edit3, {56, 32, 33, 21}},       {form2_->Label2, {102, 36, 28, 13}},
      {form2_->Edit2, {136, 32, 33, 21}},      {form2_->Label1, {181, 36, 37, 13}},
      {form2_->Edit1, {224, 32, 33, 21}},      {form2_->btnAfficher, {134, 96, 75, 25}},
      {form2_->Button1, {214, 96, 75, 25}},
  };
  for (const auto& [w, r] : placed) EXPECT_EQ(w->geometry(), r) << w->objectName().toStdString();
  EXPECT_EQ(form2_->Label3->text(), "Jour :");
  EXPECT_EQ(form2_->Label2->text(), "Mois :");
  EXPECT_EQ(form2_->Label1->text(), "Année :");
  EXPECT_EQ(form2_->btnAfficher->text(), "&Afficher");
  EXPECT_EQ(form2_->Button1->text(), "&Fermer");
  const Qt::WindowFlags flags = form2_->windowFlags();
  EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
}

TEST_F(SearchDialogTest, CloseOnlyHidesAndThePositionIsKept) {
  form2_->ShowForward();
  form2_->move(40, 50);
  const QPoint at = form2_->pos();
  Type("1", "2", "3");
  form2_->Button1->click();
  EXPECT_FALSE(form2_->isVisible());
  EXPECT_EQ(form2_->Edit3->text(), "1");
  form2_->ShowForward();
  EXPECT_TRUE(form2_->isVisible());
  EXPECT_EQ(form2_->pos(), at);
  form2_->close();
  EXPECT_FALSE(form2_->isVisible());
}

}  // namespace
}  // namespace dorvane
