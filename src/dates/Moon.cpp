#include "dates/Moon.h"

#include <array>
#include <cmath>

#include "dates/ConvertError.h"
#include "dates/Numbers.h"

namespace dorvane {

namespace {

// Julian Day at which the day of date value 0 (30 December 1899) begins, less a half: the
// Julian Day starts at noon, so trunc(JDE + 0.5) numbers the calendar day holding the moment.
constexpr double kJulianDayOfDateZero = 2415019.0;

constexpr std::array<std::string_view, 4> kQuarterTexts{" (nouvelle lune)", " (premier quartier)",
                                                        " (pleine lune)", " (dernier quartier)"};

inline TDateTime PhaseDate(double k) {
  const double t = k / 1236.85;  // Julian centuries since 1900
  const double jde = 29.53058868 * k + 2415020.75933 + 0.0001178 * t * t - 0.000000155 * t * t * t;
  return std::trunc(jde + 0.5) - kJulianDayOfDateZero;
}

// The whole-day date value of x; raises for values outside 1 January 0001 .. 31 December 9999.
// The coarse bounds come first so that NaN and huge values never reach the integer conversion.
TDateTime DayOf(TDateTime x) {
  if (!(x > kMinDate - 2.0 && x < kMaxDate + 2.0)) throw EConvertError(kDateEncodingMessage);
  const auto day = static_cast<TDateTime>(DaysOf(x).count());
  if (day < kMinDate || day > kMaxDate) throw EConvertError(kDateEncodingMessage);
  return day;
}

int LunationEstimateOfDay(TDateTime day) {
  const std::uint16_t year = SplitDate(day).year;
  const TDateTime first = MakeDate(year, 1, 1);
  // 31 December less 1 January: 364 or 365, so that 31 December counts as a whole year.
  const TDateTime last = first + (YearIsLeap(year) ? 365.0 : 364.0);
  const double f = (day - first) / (last - first) + year;
  return static_cast<int>(std::nearbyint((f - 1900) * 12.3685));
}

// Phase dates of nine consecutive quarters, from the new moon of lunation k0 - 1 to the new
// moon of lunation k0 + 1. Lunation numbers are k0 - 1 + i / 4, exact in a double.
struct PhaseWindow {
  int k0 = 0;
  std::array<TDateTime, 9> p{};

  // Phase dates from index `from` up to, not including, `to`.
  void Fill(std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i)
      p[i] = PhaseDate(k0 - 1 + 0.25 * static_cast<double>(i));
  }

  // The previous lunation: the first five phase dates become the last five.
  void StepBack() {
    --k0;
    for (std::size_t i = 8; i >= 4; --i) p[i] = p[i - 4];
    Fill(0, 4);
  }
  // The next lunation: the last five phase dates become the first five.
  void StepForward() {
    ++k0;
    for (std::size_t i = 0; i <= 4; ++i) p[i] = p[i + 4];
    Fill(5, 9);
  }
};

}  // namespace

TDateTime MoonPhaseDate(double k) {
  return PhaseDate(k);
}

int MoonLunationEstimate(TDateTime x) {
  return LunationEstimateOfDay(DayOf(x));
}

MoonPhase MoonPhaseOf(TDateTime x) {
  const TDateTime day = DayOf(x);
  PhaseWindow w;
  w.k0 = LunationEstimateOfDay(day);
  w.Fill(0, 9);
  // 12.3685 lunations a calendar year run ahead of the calendar: from the 42nd century on the
  // estimate can be one or more lunations ahead of x. Move the window until it holds x; no
  // valid date needs the step forward, which only keeps the window's promise unconditional.
  while (day < w.p[0]) w.StepBack();
  while (day >= w.p[8]) w.StepForward();

  // The latest quarter not after x names the phase; the age counts from the latest new moon not
  // after x. Later tests win, as do the tests of the second lunation.
  MoonPhase result;
  for (const std::size_t b : {std::size_t{0}, std::size_t{4}}) {
    const auto& p = w.p;
    if (p[b] <= day) result.age = static_cast<int>(day - p[b]) + 1;
    if (p[b] <= day && day < p[b + 1]) result.quarter = MoonQuarter::kNewMoon;
    if (p[b + 1] <= day && day < p[b + 2]) result.quarter = MoonQuarter::kFirstQuarter;
    if (p[b + 2] <= day && day < p[b + 3]) result.quarter = MoonQuarter::kFullMoon;
    if (p[b + 3] <= day) result.quarter = MoonQuarter::kLastQuarter;
  }
  return result;
}

std::string_view MoonQuarterText(MoonQuarter quarter) {
  if (quarter == MoonQuarter::kNone) return {};
  return kQuarterTexts[static_cast<std::size_t>(quarter)];
}

std::string MoonPhaseLine(TDateTime x) {
  const MoonPhase phase = MoonPhaseOf(x);
  const std::string_view quarter = MoonQuarterText(phase.quarter);
  std::string line;
  line.reserve(48);
  line += "Lune : ";
  line += WholeNumberText(phase.age);
  line += "° jour ";
  line += quarter;
  return line;
}

}  // namespace dorvane
