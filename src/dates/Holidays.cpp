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

// Easter of every year that has holidays, computed once.
const std::array<std::uint8_t, kLastHolidayYear - kFirstHolidayYear + 1>& EasterTable() {
  static const auto table = [] {
    std::array<std::uint8_t, kLastHolidayYear - kFirstHolidayYear + 1> days{};
    for (int y = kFirstHolidayYear; y <= kLastHolidayYear; ++y) {
      days[static_cast<std::size_t>(y - kFirstHolidayYear)] =
          static_cast<std::uint8_t>(EasterAfterMarch21(y));
    }
    return days;
  }();
  return table;
}

// Days after 21 March of a day from March to July (when the holidays after Easter fall); -1
// for the other months.
constexpr int DaysAfterMarch21(int month, int day) {
  constexpr std::array<int, 13> kBefore{-1, -1, -1, -21, 10, 40, 71, 101, -1, -1, -1, -1, -1};
  if (month < 3 || month > 7) return -1;
  return kBefore[static_cast<std::size_t>(month)] + day;
}

constexpr bool IsHolidayYear(int year) {
  return year >= kFirstHolidayYear && year <= kLastHolidayYear;
}

// The names of two rules that may fall on one day, joined, made once for every pair a fixed
// day and a day after Easter can share (Easter falls from 22 March to 25 April).
struct SharedDay {
  std::size_t First;
  std::size_t Second;
  std::string Names;
};

const std::vector<SharedDay>& SharedDays() {
  static const std::vector<SharedDay> shared = [] {
    std::vector<SharedDay> pairs;
    for (std::size_t i = 0; i < kRules.size(); ++i) {
      for (std::size_t j = i + 1; j < kRules.size(); ++j) {
        const HolidayRule& a = kRules[i];
        const HolidayRule& b = kRules[j];
        if (a.RuleKind == b.RuleKind) continue;  // two fixed days or two Easter deltas never meet
        const HolidayRule& fixed = a.RuleKind == HolidayRule::Kind::kFixed ? a : b;
        const HolidayRule& moving = a.RuleKind == HolidayRule::Kind::kFixed ? b : a;
        const int at = DaysAfterMarch21(fixed.Month, fixed.Day) - moving.EasterDelta;
        if (at < 1 || at > 35) continue;
        pairs.push_back({i, j, std::string(a.Name) + ", " + std::string(b.Name)});
      }
    }
    return pairs;
  }();
  return shared;
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
  const sys_days easter = sys_days{std::chrono::year{year} / March / 21} +
                          days{EasterTable()[static_cast<std::size_t>(year - kFirstHolidayYear)]};
  result.reserve(kRules.size());
  for (const HolidayRule& rule : kRules) {
    if (rule.RuleKind == HolidayRule::Kind::kFixed) {
      result.push_back({{static_cast<std::uint16_t>(year), static_cast<std::uint16_t>(rule.Month),
                         static_cast<std::uint16_t>(rule.Day)},
                        rule.Name});
    } else {
      const year_month_day date{easter + days{rule.EasterDelta}};
      result.push_back({{static_cast<std::uint16_t>(year),
                         static_cast<std::uint16_t>(static_cast<unsigned>(date.month())),
                         static_cast<std::uint16_t>(static_cast<unsigned>(date.day()))},
                        rule.Name});
    }
  }
  std::stable_sort(result.begin(), result.end(), [](const Holiday& a, const Holiday& b) {
    return a.Date.month != b.Date.month ? a.Date.month < b.Date.month : a.Date.day < b.Date.day;
  });
  return result;
}

std::optional<std::string_view> HolidayName(int year, int month, int day) {
  if (!IsHolidayYear(year) || month < 1 || month > 12 || day < 1 ||
      day > MonthLength(year, month)) {
    return std::nullopt;
  }
  const int afterMarch21 = DaysAfterMarch21(month, day);
  const int easter =
      afterMarch21 < 0 ? -1 : EasterTable()[static_cast<std::size_t>(year - kFirstHolidayYear)];
  std::size_t found[2];
  std::size_t count = 0;
  for (std::size_t i = 0; i < kRules.size() && count < 2; ++i) {
    const HolidayRule& rule = kRules[i];
    const bool matches = rule.RuleKind == HolidayRule::Kind::kFixed
                             ? rule.Month == month && rule.Day == day
                             : easter >= 0 && afterMarch21 == easter + rule.EasterDelta;
    if (matches) found[count++] = i;
  }
  if (count == 0) return std::nullopt;
  if (count == 1) return kRules[found[0]].Name;
  for (const SharedDay& shared : SharedDays()) {
    if (shared.First == found[0] && shared.Second == found[1]) return shared.Names;
  }
  return kRules[found[0]].Name;
}

}  // namespace dorvane
