#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "dates/DateValue.h"

namespace dorvane {

// A date or a moment as the command line and the launch options write it:
// AAAA-MM-JJ, or for a moment AAAA-MM-JJ[THH:MM:SS[.mmm]].
struct IsoMoment {
  DateParts date;
  std::optional<TimeParts> time;  // only when the text has one
};

// Reads the shape only (digits where digits go, the separators in place); the values are for
// the caller to judge, so that 2005-02-29 gets the program's own date message. A time part is
// accepted only `withTime`.
std::optional<IsoMoment> ReadIsoMoment(std::string_view text, bool withTime);

// The one message for a text of another shape, naming the shape expected.
std::string MalformedMomentMessage(std::string_view text, bool withTime);

// A year as the command line writes it: AAAA, four digits and nothing else (0000 included, for
// the caller to judge).
std::optional<std::uint16_t> ReadIsoYear(std::string_view text);

// The one message for a year of another shape.
std::string MalformedYearMessage(std::string_view text);

// The user's text inside a one-line message: control characters would break the line.
std::string Quoted(std::string_view text);

}  // namespace dorvane
