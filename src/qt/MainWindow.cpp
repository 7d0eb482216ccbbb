#include "qt/MainWindow.h"

#include <QCloseEvent>
#include <QIcon>
#include <QLayout>

#include <stdexcept>

#include "dates/Captions.h"
#include "dates/Formatting.h"
#include "dates/Moon.h"
#include "qt/AboutWindow.h"
#include "forms/AboutTexts.h"
#include "forms/Handlers.h"
#include "qt/Placement.h"
#include "qt/SearchWindow.h"
#include "help/hh.h"

namespace dorvane {

namespace {

constexpr int kClockPanel = 2;
constexpr int kTimerIntervalMs = 1000;

Font BannerFont() {
  Font font;
  font.Height = -16;
  font.Bold = true;
  font.Color = clPurple;
  return font;
}

}  // namespace

TForm1::TForm1(QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("Dorvane"));
  setWindowIcon(QIcon(QStringLiteral(":/dorvane/dorvane.svg")));
  BuildMenu();
  BuildControls();
  // The size lock: whatever the frame offers, the window keeps the size of its contents.
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  adjustSize();
  FormCreate();
}

TForm1::~TForm1() { FormDestroy(); }

void TForm1::BuildControls() {
  ClientArea = new QWidget(this);
  ClientArea->setObjectName(QStringLiteral("ClientArea"));
  ClientArea->setFixedSize(kClientWidth, kClientHeight);
  setCentralWidget(ClientArea);

  ControlBar1 = new TControlBar(ClientArea);
  ControlBar1->setObjectName(QStringLiteral("ControlBar1"));
  ControlBar1->setGeometry(0, 0, kClientWidth, 26);
  BuildToolBar();

  StatusBar1 = new TStatusBar(ClientArea, {75, 185, 50});
  StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
  StatusBar1->setGeometry(0, 298, kClientWidth, 19);
  StatusBar1->SetPanelText(1, "Lune :");

  GroupBox1 = AddGroupBox("GroupBox1", 8, 32, 313, 49);
  RxLabel1 = new RxLabelWidget(GroupBox1);
  RxLabel1->setObjectName(QStringLiteral("RxLabel1"));
  RxLabel1->Label().SetAutoSize(false);  // before the bounds, which it would otherwise fit
  RxLabel1->setGeometry(8, 16, 297, 20);
  RxLabel1->Label().SetAlignment(taCenter);
  RxLabel1->Label().SetFont(BannerFont());

  GroupBox2 = AddGroupBox("GroupBox2", 8, 88, 313, 153);
  Calendar1 = new CalendarWidget(GroupBox2);
  Calendar1->setObjectName(QStringLiteral("Calendar1"));
  Calendar1->setGeometry(8, 16, 297, 129);
  Calendar1->setFocusPolicy(Qt::ClickFocus);  // not a tab stop
  Calendar1->setAccessibleName(QStringLiteral("Calendrier du mois"));
  Calendar1->Calendar().SetStartOfWeek(1);
  Calendar1->Calendar().OnChange = [this](TCalendar&) { Calendar1Change(); };

  GroupBox3 = AddGroupBox("GroupBox3", 8, 248, 313, 41);
  RxLabel2 = new RxLabelWidget(GroupBox3);
  RxLabel2->setObjectName(QStringLiteral("RxLabel2"));
  RxLabel2->Label().SetAutoSize(false);
  RxLabel2->setGeometry(8, 16, 297, 17);
  RxLabel2->Label().SetAlignment(taCenter);

  AboutBox1 = new TAboutBox(this);
  AboutBox1->setObjectName(QStringLiteral("AboutBox1"));
  AboutBox1->SetProductName("Dorvane");
  AboutBox1->SetVersion("Version 1.0 - Win9x - Win XP");
  AboutBox1->SetCopyright(kMakerNotice);

  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(kTimerIntervalMs);
  connect(Timer1, &QTimer::timeout, this, [this] { RunHandler([this] { Timer1Timer(); }); });
  Timer1->start();
  if (!Timer1->isActive()) throw std::runtime_error("Pas assez de timers disponibles");
}

void TForm1::BuildToolBar() {
  ToolBar1 = new TToolBar(ControlBar1);
  ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
  ToolBar1->setGeometry(11, 2, 316, 22);
  tlbtnAnAvant = AddToolButton("tlbtnAnAvant", "an-avant", "Année précédente.",
                               &TForm1::tlbtnAnAvantClick);
  tlbtnMAvant = AddToolButton("tlbtnMAvant", "mois-avant", "Mois précédent.",
                              &TForm1::tlbtnMAvantClick);
  tlbtnMActuel = AddToolButton("tlbtnMActuel", "mois-actuel", "Mois actuel.",
                               &TForm1::tlbtnMActuelClick);
  tlbtnMApres = AddToolButton("tlbtnMApres", "mois-apres", "Mois suivant.",
                              &TForm1::tlbtnMApresClick);
  tlbtnAnApres = AddToolButton("tlbtnAnApres", "an-apres", "Année suivante.",
                               &TForm1::tlbtnAnApresClick);
  ToolButton6 = ToolBar1->AddSeparator("ToolButton6");
  tlbtnRechercher = AddToolButton("tlbtnRechercher", "rechercher", "Rechercher une date.",
                                  &TForm1::tlbtnRechercherClick);
  ToolButton2 = ToolBar1->AddSeparator("ToolButton2");
  tlbtnAide = AddToolButton("tlbtnAide", "aide", "Aide logicielle.", &TForm1::tlbtnAideClick);
  tlbtnQuitter = AddToolButton("tlbtnQuitter", "quitter", "Quitter logiciel.",
                               &TForm1::tlbtnQuitterClick);
}

void TForm1::BuildMenu() {
  MainMenu1 = menuBar();
  MainMenu1->setObjectName(QStringLiteral("MainMenu1"));

  Fichier1 = MainMenu1->addMenu(QStringLiteral("&Fichier"));
  Fichier1->setObjectName(QStringLiteral("Fichier1"));
  Anneprcdente1 = AddMenuItem(Fichier1, "Anneprcdente1", "Année &précédente",
                              &TForm1::tlbtnAnAvantClick);
  Annesuivante1 = AddMenuItem(Fichier1, "Annesuivante1", "Année &suivante",
                              &TForm1::tlbtnAnApresClick);
  Moisprcdent1 = AddMenuItem(Fichier1, "Moisprcdent1", "Mois p&récédent",
                             &TForm1::tlbtnMAvantClick);
  Moisactuel1 = AddMenuItem(Fichier1, "Moisactuel1", "Mois &actuel", &TForm1::tlbtnMActuelClick);
  Moissuivant1 = AddMenuItem(Fichier1, "Moissuivant1", "Mois s&uivant",
                             &TForm1::tlbtnMApresClick);
  Fichier1->addSeparator()->setObjectName(QStringLiteral("N3"));
  RechercherDate1 = AddMenuItem(Fichier1, "RechercherDate1", "&Rechercher Date",
                                &TForm1::tlbtnRechercherClick);
  Fichier1->addSeparator()->setObjectName(QStringLiteral("N1"));
  Quitter1 = AddMenuItem(Fichier1, "Quitter1", "&Quitter", &TForm1::tlbtnQuitterClick);

  Aide1 = MainMenu1->addMenu(QStringLiteral("&Aide"));
  Aide1->setObjectName(QStringLiteral("Aide1"));
  Rubriquesdelaide1 = AddMenuItem(Aide1, "Rubriquesdelaide1", "&Rubriques de l'aide...",
                                  &TForm1::tlbtnAideClick);
  Aide1->addSeparator()->setObjectName(QStringLiteral("N2"));
  Aproposde1 = AddMenuItem(Aide1, "Aproposde1", "A &propos de...", &TForm1::Aproposde1Click);
}

TGroupBox* TForm1::AddGroupBox(const char* name, int left, int top, int width, int height) {
  auto* box = new TGroupBox(ClientArea);
  box->setObjectName(QString::fromLatin1(name));
  box->setGeometry(left, top, width, height);
  return box;
}

QToolButton* TForm1::AddToolButton(const char* name, const char* image, const std::string& hint,
                                   Handler handler) {
  QToolButton* button = ToolBar1->AddButton(
      name, QStringLiteral(":/dorvane/tool/%1.svg").arg(QLatin1String(image)), hint);
  connect(button, &QToolButton::clicked, this,
          [this, handler] { RunHandler([this, handler] { (this->*handler)(); }); });
  return button;
}

QAction* TForm1::AddMenuItem(QMenu* menu, const char* name, const std::string& caption,
                             Handler handler) {
  QAction* item = menu->addAction(QString::fromStdString(caption));
  item->setObjectName(QString::fromLatin1(name));
  connect(item, &QAction::triggered, this,
          [this, handler] { RunHandler([this, handler] { (this->*handler)(); }); });
  return item;
}

void TForm1::ShowCentred() {
  ShowCentredFirstTime(this, shownOnce_);
}

void TForm1::FormCreate() {
  const TDateTime now = CurrentMoment();
  Calendar1Change();
  RxLabel2->Label().SetCaption(WeekdayLineText(now));
  Timer1Timer();
}

void TForm1::FormDestroy() { CloseHelpWindows(); }

void TForm1::Calendar1Change() {
  const TDateTime d = Calendar1->Calendar().SelectedDate();
  RxLabel1->Label().SetCaption(MonthBannerText(d));
  RxLabel2->Label().SetCaption(WeekdayLineText(d));
  StatusBar1->SetPanelText(0, DayOfYearText(d));
  StatusBar1->SetPanelText(1, MoonPhaseLine(d));
}

void TForm1::Timer1Timer() { StatusBar1->SetPanelText(kClockPanel, ClockText(CurrentMoment())); }

void TForm1::tlbtnAnAvantClick() { Calendar1->Calendar().YearBack(); }

void TForm1::tlbtnMAvantClick() { Calendar1->Calendar().MonthBack(); }

void TForm1::tlbtnMActuelClick() { Calendar1->Calendar().SetSelectedDate(TodayDate()); }

void TForm1::tlbtnMApresClick() { Calendar1->Calendar().MonthForward(); }

void TForm1::tlbtnAnApresClick() { Calendar1->Calendar().YearForward(); }

void TForm1::tlbtnRechercherClick() {
  if (form2_ == nullptr) return;
  form2_->ShowForward();
  form2_->Edit1->clear();
  form2_->Edit2->clear();
  form2_->Edit3->clear();
  form2_->Edit3->setFocus(Qt::OtherFocusReason);
}

void TForm1::tlbtnAideClick() { ShowProgramHelp(); }

void TForm1::tlbtnQuitterClick() { close(); }

void TForm1::Aproposde1Click() { AboutBox1->Execute(); }

void TForm1::closeEvent(QCloseEvent* event) {
  QMainWindow::closeEvent(event);
  if (event->isAccepted()) emit Closed();
}

}  // namespace dorvane
