#include "cli/CommandLine.h"

#include <algorithm>
#include <cstdio>
#include <ostream>
#include <span>
#include <stdexcept>
#include <string_view>

#include "calendar/MonthText.h"
#include "cli/IsoDate.h"
#include "cli/LaunchOptions.h"
#include "dates/Captions.h"
#include "dates/ConvertError.h"
#include "dates/DateValue.h"
#include "dates/ErrorText.h"
#include "dates/Formatting.h"
#include "dates/Holidays.h"
#include "dates/Moon.h"

#ifndef DORVANE_VERSION
#define DORVANE_VERSION "?"
#endif

namespace dorvane {
namespace {

using Operands = std::span<const std::string>;

// A command line that does not say what the program can do; the message is shown as it is.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// AAAA-MM-JJ[THH:MM:SS[.mmm]]; the time part only when `withTime`. The shape is checked first,
// then MakeDate judges the date, so 2005-02-29 gets the program's own date message.
TDateTime ParseMoment(std::string_view text, bool withTime) {
  const std::optional<IsoMoment> moment = ReadIsoMoment(text, withTime);
  if (!moment) throw UsageError(MalformedMomentMessage(text, withTime));
  const TDateTime date = MakeDate(moment->date.year, moment->date.month, moment->date.day);
  if (!moment->time) return date;
  const TimeParts& t = *moment->time;
  if (t.hour > 23 || t.minute > 59 || t.second > 59) {
    throw EConvertError("Argument incorrect pour l'encodage de l'heure");
  }
  return MomentValue(date, ((t.hour * 60 + t.minute) * 60 + t.second) * 1000 + t.millisecond);
}

void ExpectAtMost(Operands operands, std::size_t count) {
  if (operands.size() > count) {
    throw UsageError("Argument en trop : " + Quoted(operands[count]) + " (voir dorvane --help).");
  }
}

std::string PrintCommand(Operands operands) {
  ExpectAtMost(operands, 1);
  return CaptionLines(operands.empty() ? TodayDate() : ParseMoment(operands[0], false));
}

constexpr std::string_view kWeeksSwitch = "--weeks";

// The grid of the month; "--weeks", before or after the date, adds the week numbers.
std::string MonthCommand(Operands operands) {
  std::vector<std::string> rest(operands.begin(), operands.end());
  const auto weeks = std::find(rest.begin(), rest.end(), kWeeksSwitch);
  const bool weekNumbers = weeks != rest.end();
  if (weekNumbers) rest.erase(weeks);
  ExpectAtMost(rest, 1);
  std::string text;
  for (const std::string& line :
       MonthText(rest.empty() ? TodayDate() : ParseMoment(rest[0], false), weekNumbers)) {
    text += line + "\n";
  }
  return text;
}

// "--weeks --month ..." asks for the same as "--month --weeks ...".
std::string WeeksCommand(Operands operands) {
  if (operands.empty() || operands[0] != "--month") {
    throw UsageError("L'option --weeks accompagne --month (voir dorvane --help).");
  }
  std::vector<std::string> rest(operands.begin() + 1, operands.end());
  rest.insert(rest.begin(), std::string(kWeeksSwitch));
  return MonthCommand(rest);
}

// The public holidays of a year, one a line: "AAAA-MM-JJ Name".
std::string HolidaysCommand(Operands operands) {
  ExpectAtMost(operands, 1);
  int year = SplitDate(TodayDate()).year;
  if (!operands.empty()) {
    const std::optional<std::uint16_t> read = ReadIsoYear(operands[0]);
    if (!read) throw UsageError(MalformedYearMessage(operands[0]));
    if (*read == 0) throw EConvertError(kDateEncodingMessage);
    year = *read;
  }
  if (year < kFirstHolidayYear) {
    throw UsageError("Dorvane ne connaît les jours fériés qu'à partir de 1982.");
  }
  std::string text;
  for (const Holiday& holiday : HolidaysOf(year)) {
    char date[32];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d ", holiday.Date.year, holiday.Date.month,
                  holiday.Date.day);
    text += date;
    text += holiday.Name;
    text += "\n";
  }
  return text;
}

std::string FormatCommand(Operands operands) {
  if (operands.empty()) {
    throw UsageError("L'option --format attend un modèle (voir dorvane --help).");
  }
  ExpectAtMost(operands, 2);
  const TDateTime x = operands.size() == 2 ? ParseMoment(operands[1], true) : CurrentMoment();
  return FormatDateValue(operands[0], x) + "\n";
}

std::string HelpCommand(Operands operands);

std::string VersionCommand(Operands operands) {
  ExpectAtMost(operands, 0);
  return "Dorvane " DORVANE_VERSION "\n";
}

struct Option {
  std::string_view name;
  std::string_view usage;
  std::string_view summary;
  std::string (*run)(Operands operands);
};

// Each option takes the arguments that follow it.
constexpr Option kOptions[] = {
    {"--print", "--print [AAAA-MM-JJ]",
     "écrit les légendes du jour (aujourd'hui par défaut) : mois, date, jour de l'année, lune",
     PrintCommand},
    {"--month", "--month [--weeks] [AAAA-MM-JJ]",
     "écrit la grille du mois de la date (aujourd'hui par défaut), le jour entre crochets ;\n"
     "      avec --weeks, le numéro de semaine ISO 8601 en tête de chaque ligne",
     MonthCommand},
    {"--holidays", "--holidays [AAAA]",
     "écrit les jours fériés de l'année (cette année par défaut), de 1982 à 9999", HolidaysCommand},
    {"--format", "--format MODÈLE [AAAA-MM-JJ[THH:MM:SS[.mmm]]]",
     "écrit le moment (maintenant par défaut) selon le modèle de date et d'heure", FormatCommand},
    {"--help", "--help", "écrit cette aide", HelpCommand},
    {"--version", "--version", "écrit la version du programme", VersionCommand},
    {"--weeks", {}, {}, WeeksCommand},
};

std::string HelpCommand(Operands operands) {
  ExpectAtMost(operands, 0);
  std::string text =
      "Usage : dorvane [OPTION]\n"
      "Calendrier perpétuel avec les phases de la lune. Sans option, ouvre le calendrier.\n\n";
  for (const Option& option : kOptions) {
    if (option.usage.empty()) continue;  // another spelling of a listed option
    text += "  ";
    text += option.usage;
    text += "\n      ";
    text += option.summary;
    text += ".\n";
  }
  text +=
      "  --screenshot FICHIER [--date AAAA-MM-JJ] [--window main|search|about]\n"
      "      enregistre la fenêtre choisie en PNG, sans écran (à la date choisie).\n";
  text +=
      "\nModèles : d, dd, ddd, dddd (jour), m, mm, mmm, mmmm (mois), yy, yyyy (année),\n"
      "h, hh (heure), n, nn (minutes), s, ss (secondes), z, zzz (millièmes), am/pm, ampm,\n"
      "ddddd, dddddd (date courte, longue), t, tt (heure courte, longue), c (date et heure),\n"
      "texte entre guillemets tel quel. Un m qui suit un h compte les minutes.\n"
      "En cas d'erreur, rien n'est écrit sur la sortie standard, le message va sur la\n"
      "sortie d'erreur et le code de retour est 2.\n";
  return text;
}

}  // namespace

std::string CaptionLines(double date) {
  std::string lines = MonthBannerText(date) + "\n";
  lines += WeekdayLineText(date) + "\n";
  lines += DayOfYearText(date) + "\n";
  lines += MoonPhaseLine(date) + "\n";
  return lines;
}

CommandLineOutcome RunCommandLine(const std::vector<std::string>& args, std::ostream& out,
                                  std::ostream& err) {
  const std::optional<std::size_t> command = CommandIndex(args);
  if (!command) return {true, 0};
  const std::string& name = args[*command];
  try {
    for (const Option& option : kOptions) {
      if (name == option.name) {
        const std::string text = option.run(Operands(args).subspan(*command + 1));
        out << text << std::flush;
        if (out) return {false, 0};
        err << "Écriture impossible sur la sortie standard." << std::endl;
        return {false, kOutputFailed};
      }
    }
    throw UsageError("Option inconnue : " + Quoted(name) + " (voir dorvane --help).");
  } catch (const EConvertError& e) {
    err << ErrorBoxText(e.what()) << std::endl;
  } catch (const UsageError& e) {
    err << e.what() << std::endl;
  }
  return {false, kBadCommandLine};
}

}  // namespace dorvane
