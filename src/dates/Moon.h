#pragma once

#include <string>
#include <string_view>

#include "dates/DateValue.h"

namespace dorvane {

// The moon's age and quarter from the mean phases of the Moon (Meeus' mean-phase polynomial,
// without the periodic term). A lunation number k counts mean lunations from the mean new moon
// of 1 January 1900; k + 0.25, k + 0.5 and k + 0.75 are its first quarter, full moon and last
// quarter.

enum class MoonQuarter { kNone = -1, kNewMoon = 0, kFirstQuarter, kFullMoon, kLastQuarter };

struct MoonPhase {
  int age = 0;  // day of the lunation, the new moon's own day being day 1
  MoonQuarter quarter = MoonQuarter::kNone;
  friend bool operator==(const MoonPhase&, const MoonPhase&) = default;
};

// The whole-day date value of the mean phase with lunation number k: the proleptic Gregorian
// calendar day that holds the moment. Not limited to the years 1 to 9999.
TDateTime MoonPhaseDate(double k);

// The first guess of the lunation number of the day of x: 12.3685 lunations in every calendar
// year, rounded half to even. Raises EConvertError with the date-encoding message when x is not
// a valid date.
int MoonLunationEstimate(TDateTime x);

// Age and quarter on the day of x (a moment counts as its day). Raises EConvertError with the
// date-encoding message when x is not a valid date; every valid date has a result.
MoonPhase MoonPhaseOf(TDateTime x);

// " (nouvelle lune)" ... " (dernier quartier)"; empty for kNone.
std::string_view MoonQuarterText(MoonQuarter quarter);

// "Lune : 29° jour  (dernier quartier)".
std::string MoonPhaseLine(TDateTime x);

}  // namespace dorvane
