#include "dates/Formatting.h"

#include <array>

#include "text/Ascii.h"
#include "text/Utf8.h"

namespace dorvane {
namespace {

// Whether pattern[pos...] spells word without regard to case.
bool MatchesAt(std::string_view pattern, std::size_t pos, std::string_view word) {
  return StartsWithNoCase(pattern.substr(pos), word);
}

// Length of the marker (am/pm, a/p or ampm) at pos, or 0.
std::size_t MarkerLength(std::string_view pattern, std::size_t pos) {
  if (MatchesAt(pattern, pos, "am/pm")) return 5;
  if (MatchesAt(pattern, pos, "a/p")) return 3;
  if (MatchesAt(pattern, pos, "ampm")) return 4;
  return 0;
}

// End of the quoted text that opens at pos (just past its closing quote, or the pattern's end).
std::size_t QuotedEnd(std::string_view pattern, std::size_t pos) {
  const std::size_t close = pattern.find(pattern[pos], pos + 1);
  return close == std::string_view::npos ? pattern.size() : close + 1;
}

// An hour token shows 12-hour time when a marker follows before the next hour token. The scan
// steps through the pattern as the formatter does, so quoted text and runs such as "aaa/p"
// are read the same way by both.
bool MarkerFollows(std::string_view pattern, std::size_t pos) {
  while (pos < pattern.size()) {
    const char c = pattern[pos];
    if (c == '"' || c == '\'') {
      pos = QuotedEnd(pattern, pos);
    } else if (!IsAsciiLetter(c)) {
      ++pos;
    } else if (AsciiLower(c) == 'h') {
      return false;
    } else if (AsciiLower(c) == 'a' && MarkerLength(pattern, pos) != 0) {
      return true;
    } else {
      pos += RunLength(pattern, pos);
    }
  }
  return false;
}

class Formatter {
 public:
  Formatter(TDateTime x, const DateLocale& locale)
      : locale_(locale),
        date_(SplitDate(x)),
        time_(SplitTime(x)),
        weekday_(static_cast<std::size_t>(WeekdayNumber(x) - 1)) {}

  void Format(std::string_view pattern, int depth);
  std::string TakeResult() { return std::move(result_); }

 private:
  void Append(std::string_view text);
  void AppendChar(char32_t cp);
  void AppendNumber(unsigned value, std::size_t minDigits);
  void Expand(std::string_view pattern, int depth);
  std::string_view MonthText(const std::array<std::string, 12>& names) const {
    return date_.month >= 1 && date_.month <= 12 ? std::string_view(names[date_.month - 1u])
                                                 : std::string_view();
  }

  const DateLocale& locale_;
  const DateParts date_;
  const TimeParts time_;
  const std::size_t weekday_;  // 0 = Sunday
  std::string result_;
  std::size_t count_ = 0;  // code points in result_
  bool full_ = false;
};

void Formatter::Append(std::string_view text) {
  if (full_) return;
  for (std::size_t i = 0; i < text.size();) {
    if (count_ == kFormattedLimit) {
      full_ = true;
      return;
    }
    const std::size_t length = CodePointLength(text, i);
    result_.append(text.substr(i, length));
    ++count_;
    i += length;
  }
}

void Formatter::AppendChar(char32_t cp) {
  std::string text;
  AppendUtf8(text, cp);
  Append(text);
}

void Formatter::AppendNumber(unsigned value, std::size_t minDigits) {
  std::array<char, 16> digits{};
  std::size_t n = 0;
  do {
    digits[n++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0);
  while (n < minDigits) digits[n++] = '0';
  std::array<char, 16> text{};
  for (std::size_t i = 0; i < n; ++i) text[i] = digits[n - 1 - i];
  Append(std::string_view(text.data(), n));
}

void Formatter::Expand(std::string_view pattern, int depth) {
  if (depth > 0) return;  // only one level of expansion
  Format(pattern, depth + 1);
}

void Formatter::Format(std::string_view p, int depth) {
  bool afterHour = false;  // the last letter token outside quotes was an hour
  std::size_t i = 0;
  while (i < p.size() && !full_) {
    const char c = p[i];
    if (static_cast<unsigned char>(c) >= 0x80) {
      const std::size_t len = CodePointLength(p, i);
      Append(p.substr(i, len));
      i += len;
      continue;
    }
    if (c == '"' || c == '\'') {
      // A missing closing quote runs the text to the end of the pattern.
      const std::size_t close = p.find(c, i + 1);
      if (close == std::string_view::npos) {
        Append(p.substr(i + 1));
        i = p.size();
      } else {
        Append(p.substr(i + 1, close - i - 1));
        i = close + 1;
      }
      continue;
    }
    if (!IsAsciiLetter(c)) {
      if (c == '/') {
        if (locale_.DateSep != U'\0') AppendChar(locale_.DateSep);
      } else if (c == ':') {
        if (locale_.TimeSep != U'\0') AppendChar(locale_.TimeSep);
      } else {
        Append(p.substr(i, 1));
      }
      ++i;
      continue;
    }

    const char letter = AsciiLower(c);
    const bool morning = time_.hour < 12;
    if (letter == 'a') {
      const std::size_t marker = MarkerLength(p, i);
      if (marker == 5) {
        Append(morning ? p.substr(i, 2) : p.substr(i + 3, 2));
      } else if (marker == 3) {
        Append(morning ? p.substr(i, 1) : p.substr(i + 2, 1));
      } else if (marker == 4) {
        Append(morning ? locale_.MorningMark : locale_.EveningMark);
      }
      if (marker != 0) {
        afterHour = false;
        i += marker;
        continue;
      }
    }

    const std::size_t run = RunLength(p, i);
    switch (letter) {
      case 'd':
        if (run <= 2) {
          AppendNumber(date_.day, run);
        } else if (run == 3) {
          Append(locale_.DayAbbrevs[weekday_]);
        } else if (run == 4) {
          Append(locale_.DayNames[weekday_]);
        } else {
          Expand(run == 5 ? locale_.ShortDatePattern : locale_.LongDatePattern, depth);
        }
        break;
      case 'm':
        if (afterHour) {
          AppendNumber(time_.minute, run < 2 ? run : 2);
        } else if (run <= 2) {
          AppendNumber(date_.month, run);
        } else {
          Append(MonthText(run == 3 ? locale_.MonthAbbrevs : locale_.MonthNames));
        }
        break;
      case 'y':
        if (run <= 2) {
          AppendNumber(date_.year % 100u, 2);
        } else {
          AppendNumber(date_.year, 4);
        }
        break;
      case 'h': {
        unsigned hour = time_.hour;
        if (MarkerFollows(p, i + run)) {
          hour %= 12;
          if (hour == 0) hour = 12;
        }
        AppendNumber(hour, run < 2 ? run : 2);
        break;
      }
      case 'n':
        AppendNumber(time_.minute, run < 2 ? run : 2);
        break;
      case 's':
        AppendNumber(time_.second, run < 2 ? run : 2);
        break;
      case 'z':
        AppendNumber(time_.millisecond, run < 3 ? run : 3);
        break;
      case 't':
        Expand(run == 1 ? locale_.ShortTimePattern : locale_.LongTimePattern, depth);
        break;
      case 'c':
        if (depth > 0) break;
        Expand(locale_.ShortDatePattern, depth);
        if (time_.hour != 0 || time_.minute != 0 || time_.second != 0) {
          Append(" ");
          Expand(locale_.LongTimePattern, depth);
        }
        break;
      case 'a':
        if (run == 3) {
          Append(locale_.DayAbbrevs[weekday_]);
        } else if (run == 4) {
          Append(locale_.DayNames[weekday_]);
        } else {
          Append(p.substr(i, run));
        }
        break;
      case 'g':
      case 'e':
        break;  // eras: no calendar of ours counts years in eras
      default:
        Append(p.substr(i, run));
        break;
    }
    afterHour = letter == 'h';
    i += run;
  }
}

}  // namespace

std::string FormatDateValue(std::string_view pattern, TDateTime x, const DateLocale& locale) {
  Formatter formatter(x, locale);
  formatter.Format(pattern.empty() ? std::string_view("c") : pattern, 0);
  return formatter.TakeResult();
}

std::string FormatDateValue(std::string_view pattern, TDateTime x) {
  return FormatDateValue(pattern, x, CurrentDateLocale());
}

std::string ClockText(TDateTime x, const DateLocale& locale) {
  return FormatDateValue(locale.LongTimePattern, x, locale);
}

std::string ClockText(TDateTime x) {
  return ClockText(x, CurrentDateLocale());
}

}  // namespace dorvane
