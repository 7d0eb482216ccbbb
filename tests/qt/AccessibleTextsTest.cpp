// What a screen reader reads of the windows' texts on Qt, through the interfaces it queries:
// the labels and the status bar's panels by their texts and roles, the search fields by their
// names, the dialog as a dialog, the tool buttons by their hints.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QLineEdit>
#include <QToolButton>

#include <string>
#include <string_view>

#include "QtTestApp.h"
#include "qt/MainWindow.h"
#include "qt/RxLabelWidget.h"
#include "qt/SearchWindow.h"
#include "qt/StatusBar.h"

namespace dorvane {
namespace {

using testing::TestApp;

QAccessibleInterface* Interface(QObject* object) {
  QAccessibleInterface* found = QAccessible::queryAccessibleInterface(object);
  EXPECT_NE(found, nullptr);
  return found;
}

std::string Name(QAccessibleInterface* object) {
  return object != nullptr ? object->text(QAccessible::Name).toStdString() : std::string();
}

QAccessible::Role Role(QAccessibleInterface* object) {
  return object != nullptr ? object->role() : QAccessible::NoRole;
}

TEST(AccessibleTextsTest, EveryTextIsReadByItsRoleAndName) {
  TestApp();
  MainWindow main;
  main.Form().Calendar1().SetSelectedDate(38418);  // 7 March 2005
  SearchWindow search(main.View(), main.Form().Calendar1());

  // The banner and the weekday line: labels read by the text they show.
  for (const char* label : {"RxLabel1", "RxLabel2"}) {
    auto* shown = main.Controls().Get<RxLabelWidget>(label);
    ASSERT_NE(shown, nullptr) << label;
    QAccessibleInterface* read = Interface(shown);
    EXPECT_EQ(Role(read), QAccessible::StaticText) << label;
    EXPECT_EQ(Name(read), shown->Label().Caption()) << label;
    EXPECT_NE(Name(read), "") << label;
  }

  // The status bar, whose panels give their texts: day of year, moon, clock.
  auto* bar = main.Controls().Get<TStatusBar>("StatusBar1");
  ASSERT_NE(bar, nullptr);
  QAccessibleInterface* status = Interface(bar);
  EXPECT_EQ(Role(status), QAccessible::StatusBar);
  ASSERT_EQ(status->childCount(), bar->PanelCount());
  for (int i = 0; i < bar->PanelCount(); ++i) {
    EXPECT_EQ(Role(status->child(i)), QAccessible::StaticText) << i;
    EXPECT_EQ(Name(status->child(i)), bar->PanelText(i)) << i;
    EXPECT_NE(Name(status->child(i)), "") << i;
  }

  // The search dialog as a dialog, its fields named without their labels' colons.
  QAccessibleInterface* dialog = Interface(&search);
  EXPECT_EQ(Role(dialog), QAccessible::Dialog);
  EXPECT_EQ(Name(dialog), "Rechercher...");
  for (const auto& [edit, name] :
       {std::pair{"Edit3", "Jour"}, {"Edit2", "Mois"}, {"Edit1", "Année"}}) {
    QAccessibleInterface* field = Interface(search.Controls().Get<QLineEdit>(edit));
    EXPECT_EQ(Role(field), QAccessible::EditableText) << edit;
    EXPECT_EQ(Name(field), name) << edit;
  }

  // The tool buttons, named by their hints.
  for (const auto& [button, name] : {std::pair{"tlbtnAnAvant", "Année précédente"},
                                     {"tlbtnMActuel", "Mois actuel"},
                                     {"tlbtnRechercher", "Rechercher une date"},
                                     {"tlbtnQuitter", "Quitter logiciel"}}) {
    QAccessibleInterface* read = Interface(main.Controls().Get<QToolButton>(button));
    EXPECT_EQ(Role(read), QAccessible::Button) << button;
    EXPECT_EQ(Name(read), name) << button;
  }
}

}  // namespace
}  // namespace dorvane
