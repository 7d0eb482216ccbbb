#pragma once

#include <array>
#include <string>

#include "platform/LocaleSource.h"

namespace dorvane {

// The locale texts that formatting uses. Text is UTF-8. Day lists are Sunday first
// (index 0 = Sunday ... 6 = Saturday); month lists January first.
struct DateLocale {
  std::array<std::string, 12> MonthAbbrevs{"Jan", "Fév", "Mar", "Avr", "Mai", "Jun",
                                           "Jul", "Aoû", "Sep", "Oct", "Nov", "Déc"};
  std::array<std::string, 12> MonthNames{"Janvier",   "Février", "Mars",     "Avril",
                                         "Mai",       "Juin",    "Juillet",  "Août",
                                         "Septembre", "Octobre", "Novembre", "Décembre"};
  std::array<std::string, 7> DayAbbrevs{"Dim", "Lun", "Mar", "Mer", "Jeu", "Ven", "Sam"};
  std::array<std::string, 7> DayNames{"Dimanche", "Lundi",    "Mardi", "Mercredi",
                                      "Jeudi",    "Vendredi", "Samedi"};
  std::string ShortDatePattern = "m/d/yy";
  std::string LongDatePattern = "mmmm d, yyyy";
  char32_t DateSep = U'/';
  char32_t TimeSep = U':';
  std::string MorningMark = "am";
  std::string EveningMark = "pm";
  char32_t DecimalSep = U'.';
  std::string ThousandSep = ",";  // may be several bytes (U+202F in French)
  std::string ShortTimePattern = "h:mm AMPM";
  std::string LongTimePattern = "h:mm:ss AMPM";
};

// The process-wide record: the one loaded from the user's settings, unless a test has put
// another in place (platform/Services.h). Replaced only on the GUI thread, between two events.
const DateLocale& CurrentDateLocale();
void SetDateLocale(const DateLocale& locale);

// Reads every field from the source; an item without data (or an empty one) keeps the
// default. The time patterns are built from the hour-format items.
DateLocale ReadDateLocale(const platform::LocaleSource& source);

// Replaces the process-wide record with the texts of the source.
void LoadDateLocale(const platform::LocaleSource& source);

}  // namespace dorvane
