#include "forms/_Recherche.h"

#include <array>

#include "dates/ConvertError.h"
#include "dates/Numbers.h"

namespace dorvane {

namespace {

constexpr std::array kControls{
    ControlLayout{.name = "GroupBox1",
                  .kind = ControlKind::kGroupBox,
                  .left = 8,
                  .top = 8,
                  .width = 281,
                  .height = 73,
                  .text = "Date (jj mm dddd) : ",
                  .tabOrder = 0},
    ControlLayout{.name = "Label3",
                  .kind = ControlKind::kLabel,
                  .parent = "GroupBox1",
                  .left = 24,
                  .top = 36,
                  .width = 26,
                  .height = 13,
                  .text = "Jour :"},
    ControlLayout{.name = "Edit3",
                  .kind = ControlKind::kEdit,
                  .parent = "GroupBox1",
                  .left = 56,
                  .top = 32,
                  .width = 33,
                  .height = 21,
                  .tabOrder = 0,
                  .accessibleName = "Jour",
                  .maxLength = 2,
                  .keyFilter = Edit3KeyPress},
    ControlLayout{.name = "Label2",
                  .kind = ControlKind::kLabel,
                  .parent = "GroupBox1",
                  .left = 102,
                  .top = 36,
                  .width = 28,
                  .height = 13,
                  .text = "Mois :"},
    ControlLayout{.name = "Edit2",
                  .kind = ControlKind::kEdit,
                  .parent = "GroupBox1",
                  .left = 136,
                  .top = 32,
                  .width = 33,
                  .height = 21,
                  .tabOrder = 1,
                  .accessibleName = "Mois",
                  .maxLength = 2,
                  .keyFilter = Edit3KeyPress},
    ControlLayout{.name = "Label1",
                  .kind = ControlKind::kLabel,
                  .parent = "GroupBox1",
                  .left = 181,
                  .top = 36,
                  .width = 37,
                  .height = 13,
                  .text = "Année :"},
    ControlLayout{.name = "Edit1",
                  .kind = ControlKind::kEdit,
                  .parent = "GroupBox1",
                  .left = 224,
                  .top = 32,
                  .width = 33,
                  .height = 21,
                  .tabOrder = 2,
                  .accessibleName = "Année",
                  .maxLength = 4,
                  .keyFilter = Edit3KeyPress},
    ControlLayout{.name = "btnAfficher",
                  .kind = ControlKind::kButton,
                  .left = 134,
                  .top = 96,
                  .width = 75,
                  .height = 25,
                  .text = "&Afficher",
                  .tabOrder = 1,
                  .onEvent = On<&TForm2::btnAfficherClick>},
    ControlLayout{.name = "Button1",
                  .kind = ControlKind::kButton,
                  .left = 214,
                  .top = 96,
                  .width = 75,
                  .height = 25,
                  .text = "&Fermer",
                  .tabOrder = 2,
                  .onEvent = On<&TForm2::Button1Click>},
};

}  // namespace

const WindowLayout TForm2::kLayout{
    .name = "Form2",
    .caption = "Rechercher...",
    .clientWidth = 297,
    .clientHeight = 131,
    .border = BorderStyle::kSizeable,
    .borderIcons = biSystemMenu,
    .icon = "recherche",
    .font = {},
    .firstFocus = "Edit3",
    .controls = kControls,
};

TDateTime SearchedDate(std::int32_t year, std::int32_t month, std::int32_t day) {
  // The fields are read as unsigned 16-bit numbers; any value outside that range can be no
  // date, and is refused as such rather than wrapped onto another one.
  const auto fits = [](std::int32_t v) { return v >= 0 && v <= 0xFFFF; };
  if (!fits(year) || !fits(month) || !fits(day)) throw EConvertError(kDateEncodingMessage);
  return MakeDate(static_cast<std::uint16_t>(year), static_cast<std::uint16_t>(month),
                  static_cast<std::uint16_t>(day));
}

void TForm2::TypeDate(const DateParts& date) {
  view_.SetText("Edit1", std::to_string(date.year));
  view_.SetText("Edit2", std::to_string(date.month));
  view_.SetText("Edit3", std::to_string(date.day));
}

void TForm2::btnAfficherClick() {
  const std::int32_t year = ParseWholeNumber(view_.Text("Edit1"));
  const std::int32_t month = ParseWholeNumber(view_.Text("Edit2"));
  const std::int32_t day = ParseWholeNumber(view_.Text("Edit3"));
  // A minimised main window comes back too: the date is shown where the user can see it.
  mainWindow_.BringForward();
  grid_.SetSelectedDate(SearchedDate(year, month, day));
}

void TForm2::Button1Click() {
  view_.Close();
}

}  // namespace dorvane
