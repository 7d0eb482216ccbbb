#pragma once

// The moon line's procedure as it was before its two mends, for tests and benchmarks: the
// day-by-day computation (yearly estimate, eight phase dates turned into calendar dates with
// the Julian calendar before the reform, each built by MakeDate, which refuses what is not a
// date), without the proleptic Gregorian calendar and without the window adjustment that the
// program now has; with the Julian-Day-to-calendar conversion it uses. Written without the
// production code, to compare against it.
#include <chrono>
#include <cmath>
#include <optional>
#include <string>

namespace dorvane::testing {

using std::chrono::sys_days;
using std::chrono::year_month_day;

inline const int kEpochShift =
    static_cast<int>(sys_days{std::chrono::year{1899} / 12 / 30}.time_since_epoch().count());

inline double ValueOf(int y, int m, int d) {
  const sys_days days{std::chrono::year{y} / std::chrono::month{static_cast<unsigned>(m)} /
                      std::chrono::day{static_cast<unsigned>(d)}};
  return static_cast<double>(days.time_since_epoch().count() - kEpochShift);
}

inline year_month_day CivilOf(double x) {
  return year_month_day{sys_days{std::chrono::days{static_cast<int>(x) + kEpochShift}}};
}

inline const char* const kOriginalQuarterTexts[] = {" (nouvelle lune)", " (premier quartier)",
                                                    " (pleine lune)", " (dernier quartier)"};

inline double MeanPhaseJde(double k) {
  const double t = k / 1236.85;
  return 29.53058868 * k + 2415020.75933 + 0.0001178 * t * t - 0.000000155 * t * t * t;
}

struct Civil {
  int year, month, day;
};

// The calendar day holding a Julian Day moment: Julian calendar before JD 2299161 unless
// gregorianAlways, proleptic Gregorian otherwise.
inline Civil CivilOfJulianDay(double jde, bool gregorianAlways) {
  const double j1 = jde + 0.5;
  const double z = std::trunc(j1);
  const double f = j1 - z;
  double a = z;
  if (gregorianAlways || z >= 2299161) {
    const double alpha = std::trunc((z - 1867216.25) / 36524.25);
    a = z + 1 + alpha - std::trunc(alpha / 4);
  }
  const double b = a + 1524;
  const double c = std::trunc((b - 122.1) / 365.25);
  const double d = std::trunc(365.25 * c);
  const double e = std::trunc((b - d) / 30.6001);
  const double day = std::trunc(b - d - std::trunc(30.6001 * e) + f);
  const double month = e < 13.5 ? e - 1 : e - 13;
  const double year = month > 2.5 ? c - 4716 : c - 4715;
  return {static_cast<int>(year), static_cast<int>(month), static_cast<int>(day)};
}

// MakeDate, written anew: the date value of a valid date of the years 1 to 9999, else nothing.
inline std::optional<double> MakeDate(int y, int m, int d) {
  if (y < 1 || y > 9999 || m < 1 || m > 12 || d < 1 || d > 31) return std::nullopt;
  if (!(std::chrono::year{y} / m / d).ok()) return std::nullopt;
  return ValueOf(y, m, d);
}

// Halves to the even neighbour: the default rounding mode.
inline double RoundHalfEven(double v) {
  return std::nearbyint(v);
}

struct OriginalPhase {
  int age = 0;
  int quarter = -1;  // 0 new moon ... 3 last quarter; -1 none
};

// Age and quarter, or nothing when a phase date cannot be encoded.
inline std::optional<OriginalPhase> OriginalPhaseOf(double x) {
  const int y = static_cast<int>(CivilOf(x).year());
  const double first = *MakeDate(y, 1, 1);
  const double last = *MakeDate(y, 12, 31);
  const double f = (x - first) / (last - first) + y;
  const double k0 = RoundHalfEven((f - 1900) * 12.3685);
  double p[8];
  double k = k0 - 1.25;
  for (int i = 0; i < 8; ++i) {
    k = k + 0.25;
    const Civil c = CivilOfJulianDay(MeanPhaseJde(k), false);
    const std::optional<double> date = MakeDate(c.year, c.month, c.day);
    if (!date) return std::nullopt;
    p[i] = *date;
  }
  OriginalPhase phase;
  for (int b : {0, 4}) {
    if (p[b] <= x) phase.age = static_cast<int>(RoundHalfEven(x) - RoundHalfEven(p[b]) + 1);
    if (p[b] <= x && x < p[b + 1]) phase.quarter = 0;
    if (p[b + 1] <= x && x < p[b + 2]) phase.quarter = 1;
    if (p[b + 2] <= x && x < p[b + 3]) phase.quarter = 2;
    if (p[b + 3] <= x) phase.quarter = 3;
  }
  return phase;
}

inline std::string OriginalLineText(const OriginalPhase& phase) {
  return "Lune : " + std::to_string(phase.age) + "\u00B0 jour " +
         (phase.quarter < 0 ? "" : kOriginalQuarterTexts[phase.quarter]);
}

// The line, or nothing when a phase date cannot be encoded.
inline std::optional<std::string> OriginalLine(double x) {
  const std::optional<OriginalPhase> phase = OriginalPhaseOf(x);
  if (!phase) return std::nullopt;
  return OriginalLineText(*phase);
}

}  // namespace dorvane::testing
