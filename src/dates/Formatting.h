#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "dates/DateLocale.h"
#include "dates/DateValue.h"

namespace dorvane {

// Longest result of FormatDateValue, in code points; the rest is dropped.
inline constexpr std::size_t kFormattedLimit = 256;

// Formats x by a date/time pattern (d, m, y, h, n, s, z, t, c, am/pm, a/p, ampm, /, :, quoted
// text ...), with the names and patterns of the given locale or of the process-wide one.
// An empty pattern means "c". Tokens that expand a locale pattern (ddddd, dddddd, t, tt, c)
// expand one level only.
std::string FormatDateValue(std::string_view pattern, TDateTime x, const DateLocale& locale);
std::string FormatDateValue(std::string_view pattern, TDateTime x);

// The time of day of x by the long time pattern.
std::string ClockText(TDateTime x, const DateLocale& locale);
std::string ClockText(TDateTime x);

}  // namespace dorvane
