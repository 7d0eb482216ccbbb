#include "forms/MainForm.h"

#include <array>
#include <stdexcept>

#include "dates/Captions.h"
#include "dates/Formatting.h"
#include "dates/Moon.h"
#include "forms/AboutTexts.h"
#include "forms/_Recherche.h"
#include "help/hh.h"
#include "platform/Settings.h"

namespace dorvane {

namespace {

constexpr FontStyle kBannerFont{.height = -16, .color = clPurple, .bold = true};

constexpr std::array kControls{
    ControlLayout{.name = "ControlBar1",
                  .kind = ControlKind::kControlBar,
                  .width = 329,
                  .height = 26,
                  .tabOrder = 0},
    ControlLayout{.name = "ToolBar1",
                  .kind = ControlKind::kToolBar,
                  .parent = "ControlBar1",
                  .left = 11,
                  .top = 2,
                  .width = 316,
                  .height = 22},
    ControlLayout{.name = "StatusBar1",
                  .kind = ControlKind::kStatusBar,
                  .top = 298,
                  .width = 329,
                  .height = 19},
    ControlLayout{.name = "GroupBox1",
                  .kind = ControlKind::kGroupBox,
                  .left = 8,
                  .top = 32,
                  .width = 313,
                  .height = 49,
                  .tabOrder = 2},
    ControlLayout{.name = "RxLabel1",
                  .kind = ControlKind::kRxLabel,
                  .parent = "GroupBox1",
                  .left = 8,
                  .top = 16,
                  .width = 297,
                  .height = 20,
                  .font = &kBannerFont,
                  .alignment = taCenter},
    ControlLayout{.name = "GroupBox2",
                  .kind = ControlKind::kGroupBox,
                  .left = 8,
                  .top = 88,
                  .width = 313,
                  .height = 153,
                  .tabOrder = 3},
    ControlLayout{.name = "Calendar1",
                  .kind = ControlKind::kCalendar,
                  .parent = "GroupBox2",
                  .left = 8,
                  .top = 16,
                  .width = 297,
                  .height = 129,
                  .onEvent = On<&TForm1::Calendar1Change>,
                  .accessibleName = "Calendrier du mois",
                  .startOfWeek = 1},
    ControlLayout{.name = "GroupBox3",
                  .kind = ControlKind::kGroupBox,
                  .left = 8,
                  .top = 248,
                  .width = 313,
                  .height = 41,
                  .tabOrder = 4},
    ControlLayout{.name = "RxLabel2",
                  .kind = ControlKind::kRxLabel,
                  .parent = "GroupBox3",
                  .left = 8,
                  .top = 16,
                  .width = 297,
                  .height = 17,
                  .alignment = taCenter},
    ControlLayout{
        .name = "Timer1", .kind = ControlKind::kTimer, .onEvent = On<&TForm1::Timer1Timer>},
};

constexpr std::array kToolButtons{
    ToolButtonLayout{"tlbtnAnAvant", 0, 0, "Année précédente.", On<&TForm1::tlbtnAnAvantClick>},
    ToolButtonLayout{"tlbtnMAvant", 23, 1, "Mois précédent.", On<&TForm1::tlbtnMAvantClick>},
    ToolButtonLayout{"tlbtnMActuel", 46, 2, "Mois actuel.", On<&TForm1::tlbtnMActuelClick>},
    ToolButtonLayout{"tlbtnMApres", 69, 3, "Mois suivant.", On<&TForm1::tlbtnMApresClick>},
    ToolButtonLayout{"tlbtnAnApres", 92, 4, "Année suivante.", On<&TForm1::tlbtnAnApresClick>},
    ToolButtonLayout{"ToolButton6", 115, ToolButtonLayout::kSeparator, {}},
    ToolButtonLayout{"tlbtnRechercher", 123, 5, "Rechercher une date.",
                     On<&TForm1::tlbtnRechercherClick>},
    ToolButtonLayout{"ToolButton2", 146, ToolButtonLayout::kSeparator, {}},
    ToolButtonLayout{"tlbtnAide", 154, 6, "Aide logicielle.", On<&TForm1::tlbtnAideClick>},
    ToolButtonLayout{"tlbtnQuitter", 177, 7, "Quitter logiciel.", On<&TForm1::tlbtnQuitterClick>},
};

// ImageList1, by index.
constexpr std::array<std::string_view, 8> kImages{"an-avant",   "mois-avant", "mois-actuel",
                                                  "mois-apres", "an-apres",   "rechercher",
                                                  "aide",       "quitter"};

constexpr std::array kMenu{
    MenuItemLayout{"Fichier1", {}, "&Fichier"},
    MenuItemLayout{"Anneprcdente1", "Fichier1", "Année &précédente",
                   On<&TForm1::tlbtnAnAvantClick>},
    MenuItemLayout{"Annesuivante1", "Fichier1", "Année &suivante", On<&TForm1::tlbtnAnApresClick>},
    MenuItemLayout{"Moisprcdent1", "Fichier1", "Mois p&récédent", On<&TForm1::tlbtnMAvantClick>},
    MenuItemLayout{"Moisactuel1", "Fichier1", "Mois &actuel", On<&TForm1::tlbtnMActuelClick>},
    MenuItemLayout{"Moissuivant1", "Fichier1", "Mois s&uivant", On<&TForm1::tlbtnMApresClick>},
    MenuItemLayout{"N3", "Fichier1", kMenuSeparator},
    MenuItemLayout{"RechercherDate1", "Fichier1", "&Rechercher Date",
                   On<&TForm1::tlbtnRechercherClick>},
    MenuItemLayout{"N1", "Fichier1", kMenuSeparator},
    MenuItemLayout{"Quitter1", "Fichier1", "&Quitter", On<&TForm1::tlbtnQuitterClick>},
    MenuItemLayout{"Affichage1", {}, "&Affichage"},
    MenuItemLayout{"Numrosdesemaine1", "Affichage1", "Numéros de &semaine",
                   On<&TForm1::Numrosdesemaine1Click>, true},
    MenuItemLayout{"Joursfris1", "Affichage1", "Jours &fériés", On<&TForm1::Joursfris1Click>, true},
    MenuItemLayout{"Aide1", {}, "&Aide"},
    MenuItemLayout{"Rubriquesdelaide1", "Aide1", "&Rubriques de l'aide...",
                   On<&TForm1::tlbtnAideClick>},
    MenuItemLayout{"N2", "Aide1", kMenuSeparator},
    MenuItemLayout{"Aproposde1", "Aide1", "A &propos de...", On<&TForm1::Aproposde1Click>},
};

constexpr std::array kPanels{
    StatusPanelLayout{75, {}},
    StatusPanelLayout{185, "Lune :"},
    StatusPanelLayout{50, {}},
};

}  // namespace

struct TForm1::ViewChoice {
  std::string_view item;
  std::string_view setting;
  bool (TCalendar::*shown)() const;
  void (TCalendar::*show)(bool);
};

namespace {

constexpr std::array<TForm1::ViewChoice, 2> kViewChoices{{
    {"Numrosdesemaine1", platform::kShowWeekNumbers, &TCalendar::ShowWeekNumbers,
     &TCalendar::SetShowWeekNumbers},
    {"Joursfris1", platform::kShowHolidays, &TCalendar::ShowHolidays, &TCalendar::SetShowHolidays},
}};

}  // namespace

const WindowLayout TForm1::kLayout{
    .name = "Form1",
    .caption = "Dorvane",
    .clientWidth = 329,
    .clientHeight = 317,
    .border = BorderStyle::kSizeable,
    .borderIcons = biSystemMenu | biMinimize,
    .icon = "dorvane",
    .font = {},
    .firstFocus = {},
    .controls = kControls,
    .menu = kMenu,
    .toolButtons = kToolButtons,
    .images = kImages,
    .panels = kPanels,
};

TForm1::TForm1(MainView& view) : view_(view), aboutBox1_(view) {
  aboutBox1_.SetProductName("Dorvane");
  aboutBox1_.SetVersion("Version 1.0 - Win9x - Win XP");
  aboutBox1_.SetCopyright(kMakerNotice);
}

TForm1::~TForm1() {
  FormDestroy();
}

void TForm1::Create() {
  for (const ControlLayout& row : kLayout.controls) {
    if (row.kind != ControlKind::kTimer) continue;
    if (!view_.StartTimer(row.name, row.interval)) {
      throw std::runtime_error("Pas assez de timers disponibles");
    }
  }
  FormCreate();
}

void TForm1::FormCreate() {
  std::array<std::string_view, kViewChoices.size()> names;
  for (std::size_t i = 0; i < names.size(); ++i) names[i] = kViewChoices[i].setting;
  const std::vector<std::optional<bool>> stored = platform::ActiveSettings().ReadBools(names);
  for (std::size_t i = 0; i < kViewChoices.size(); ++i) {
    ApplyChoice(kViewChoices[i], stored[i].value_or(false));
  }
  const TDateTime now = CurrentMoment();
  Calendar1Change();
  view_.SetText("RxLabel2", WeekdayLineText(now));
  Timer1Timer();
}

void TForm1::FormDestroy() {
  CloseHelpWindows();
}

void TForm1::Calendar1Change() {
  const TDateTime d = Calendar1().SelectedDate();
  view_.SetText("RxLabel1", MonthBannerText(d));
  view_.SetText("RxLabel2", WeekdayLineText(d));
  view_.SetPanelText(0, DayOfYearText(d));
  view_.SetPanelText(1, MoonPhaseLine(d));
}

void TForm1::Timer1Timer() {
  view_.SetPanelText(kClockPanel, ClockText(CurrentMoment()));
}

void TForm1::tlbtnAnAvantClick() {
  Calendar1().YearBack();
}

void TForm1::tlbtnMAvantClick() {
  Calendar1().MonthBack();
}

void TForm1::tlbtnMActuelClick() {
  Calendar1().SetSelectedDate(TodayDate());
}

void TForm1::tlbtnMApresClick() {
  Calendar1().MonthForward();
}

void TForm1::tlbtnAnApresClick() {
  Calendar1().YearForward();
}

void TForm1::tlbtnRechercherClick() {
  if (form2_ == nullptr) return;
  FormView& dialog = form2_->View();
  dialog.BringForward();
  dialog.SetText("Edit1", "");
  dialog.SetText("Edit2", "");
  dialog.SetText("Edit3", "");
  dialog.SetFocus("Edit3");
}

void TForm1::tlbtnAideClick() {
  ShowProgramHelp();
}

void TForm1::tlbtnQuitterClick() {
  view_.Close();
}

void TForm1::Aproposde1Click() {
  aboutBox1_.Execute();
}

void TForm1::Numrosdesemaine1Click() {
  ToggleChoice(kViewChoices[0]);
}

void TForm1::Joursfris1Click() {
  ToggleChoice(kViewChoices[1]);
}

void TForm1::ApplyChoice(const ViewChoice& choice, bool on) {
  (Calendar1().*choice.show)(on);
  view_.SetMenuChecked(choice.item, on);
}

void TForm1::ToggleChoice(const ViewChoice& choice) {
  const bool on = !(Calendar1().*choice.shown)();
  ApplyChoice(choice, on);
  platform::ActiveSettings().WriteBool(choice.setting, on);
}

}  // namespace dorvane
