#include "dates/Holidays.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <string>

namespace dorvane {

namespace {

using namespace std::chrono;

// A holiday's rule: a fixed day of a month, or a number of days after Easter Sunday.
struct HolidayRule {
  enum class Kind : std::uint8_t { kFixed, kAfterEaster };
  Kind RuleKind;
  int Month;        // kFixed
  int Day;          // kFixed
  int EasterDelta;  // kAfterEaster
  std::string_view Name;
};

constexpr HolidayRule Fixed(int month, int day, std::string_view name) {
  return {HolidayRule::Kind::kFixed, month, day, 0, name};
}
constexpr HolidayRule AfterEaster(int days, std::string_view name) {
  return {HolidayRule::Kind::kAfterEaster, 0, 0, days, name};
}

// Metropolitan France. Another region's holidays are more rows; keep them in calendar order,
// the order of two holidays on one day.
constexpr std::array kRules{
    Fixed(1, 1, "Jour de l'an"),    AfterEaster(1, "Lundi de Pâques"),
    Fixed(5, 1, "Fête du Travail"), Fixed(5, 8, "Victoire 1945"),
    AfterEaster(39, "Ascension"),   AfterEaster(50, "Lundi de Pentecôte"),
    Fixed(7, 14, "Fête nationale"), Fixed(8, 15, "Assomption"),
    Fixed(11, 1, "Toussaint"),      Fixed(11, 11, "Armistice 1918"),
    Fixed(12, 25, "Noël"),
};

// Gregorian Easter as the number of days after 21 March (1 to 35), by the epact: the golden
// number, the solar correction (the century years that are not leap years) and the lunar one,
// then the Sunday after the paschal full moon.
int EasterAfterMarch21(int year) {
  const int golden = year % 19 + 1;
  const int century = year / 100 + 1;
  const int solar = 3 * century / 4 - 12;
  const int lunar = (8 * century + 5) / 25 - 5;
  const int sunday = 5 * year / 4 - solar - 10;  // March (-sunday mod 7) is a Sunday
  int epact = (11 * golden + 20 + lunar - solar) % 30;
  if (epact < 0) epact += 30;
  if ((epact == 25 && golden > 11) || epact == 24) ++epact;
  int fullMoon = 44 - epact;  // day of March
  if (fullMoon < 21) fullMoon += 30;
  const int easter = fullMoon + 7 - (sunday + fullMoon) % 7;
  return easter - 21;
}

constexpr bool IsHolidayYear(int year) {
  return year >= kFirstHolidayYear && year <= kLastHolidayYear;
}

}  // namespace

DateParts EasterSunday(int year) {
  if (year < 1 || year > 9999) return {};
  const int afterMarch21 = EasterAfterMarch21(year);
  const bool april = afterMarch21 > 10;
  return {static_cast<std::uint16_t>(year), static_cast<std::uint16_t>(april ? 4 : 3),
          static_cast<std::uint16_t>(april ? afterMarch21 - 10 : afterMarch21 + 21)};
}

std::vector<Holiday> HolidaysOf(int year) {
  std::vector<Holiday> result;
  if (!IsHolidayYear(year)) return result;
  const sys_days easter =
      sys_days{std::chrono::year{year} / March / 21} + days{EasterAfterMarch21(year)};
  result.reserve(kRules.size());
  for (const HolidayRule& rule : kRules) {
    const year_month_day date = rule.RuleKind == HolidayRule::Kind::kFixed
                                    ? std::chrono::year{year} / static_cast<unsigned>(rule.Month) /
                                          static_cast<unsigned>(rule.Day)
                                    : year_month_day{easter + days{rule.EasterDelta}};
    result.push_back({{static_cast<std::uint16_t>(year),
                       static_cast<std::uint16_t>(static_cast<unsigned>(date.month())),
                       static_cast<std::uint16_t>(static_cast<unsigned>(date.day()))},
                      rule.Name});
  }
  std::stable_sort(result.begin(), result.end(), [](const Holiday& a, const Holiday& b) {
    return a.Date.month != b.Date.month ? a.Date.month < b.Date.month : a.Date.day < b.Date.day;
  });
  return result;
}

std::optional<std::string> HolidayName(int year, int month, int day) {
  std::optional<std::string> names;
  for (const Holiday& holiday : HolidaysOf(year)) {
    if (holiday.Date.month != month || holiday.Date.day != day) continue;
    names = names ? *names + ", " + std::string(holiday.Name) : std::string(holiday.Name);
  }
  return names;
}

}  // namespace dorvane
