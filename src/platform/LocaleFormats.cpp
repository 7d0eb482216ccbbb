#include "platform/LocaleFormats.h"

#include "text/Ascii.h"

namespace dorvane::platform {
namespace {

// Walks a Qt format: calls onLiteral for literal text (quotes resolved: 'x' is x, '' is ')
// and onToken for each run of an ASCII letter.
template <typename Literal, typename Token>
void WalkQtFormat(std::string_view format, Literal onLiteral, Token onToken) {
  std::size_t i = 0;
  while (i < format.size()) {
    const char c = format[i];
    if (c == '\'') {
      if (i + 1 < format.size() && format[i + 1] == '\'') {
        onLiteral(std::string_view("'"));
        i += 2;
        continue;
      }
      // Quoted text; '' inside it stands for one quote, a missing end runs to the end.
      std::string text;
      ++i;
      while (i < format.size()) {
        if (format[i] == '\'') {
          if (i + 1 < format.size() && format[i + 1] == '\'') {
            text += '\'';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        text += format[i++];
      }
      onLiteral(std::string_view(text));
      continue;
    }
    if (IsAsciiLetter(c)) {
      const std::size_t run = RunLength(format, i);
      onToken(c, run);
      i += run;
      continue;
    }
    onLiteral(format.substr(i, 1));
    ++i;
  }
}

// Appends literal text so that our formatter shows it as it stands: letters, colons and
// quotes of ours go inside quotes; other characters need none.
void AppendLiteral(std::string& out, std::string_view text) {
  std::string quoted;
  auto flush = [&] {
    if (quoted.empty()) return;
    out += '"';
    out += quoted;
    out += '"';
    quoted.clear();
  };
  for (const char c : text) {
    if (c == '"') {
      flush();
      out += "'\"'";
    } else if (IsAsciiLetter(c) || c == ':' || c == '\'') {
      quoted += c;
    } else {
      flush();
      out += c;
    }
  }
  flush();
}

// Appends a run of one of our pattern letters; Qt reads at most `longest` letters as one token,
// so longer runs are cut into tokens that an empty quoted text keeps apart.
void AppendRun(std::string& out, char letter, std::size_t run, std::size_t longest) {
  while (run > 0) {
    const std::size_t n = run < longest ? run : longest;
    if (!out.empty() && out.back() == letter) out += "\"\"";
    out.append(n, letter);
    run -= n;
  }
}

}  // namespace

std::string FirstSeparator(std::string_view qtFormat) {
  std::string separator;
  WalkQtFormat(
      qtFormat,
      [&](std::string_view text) {
        if (!separator.empty() || text.empty()) return;
        const char c = text[0];
        if (c != ' ' && !IsAsciiDigit(c) && !IsAsciiLetter(c) &&
            static_cast<unsigned char>(c) < 0x80) {
          separator.push_back(c);  // separator is still empty here
        }
      },
      [](char, std::size_t) {});
  return separator;
}

std::string PatternFromQtDateFormat(std::string_view qtFormat) {
  std::string out;
  WalkQtFormat(
      qtFormat, [&](std::string_view text) { AppendLiteral(out, text); },
      [&](char letter, std::size_t run) {
        switch (letter) {
          case 'd':
            AppendRun(out, 'd', run, 4);
            break;
          case 'M':
            AppendRun(out, 'm', run, 4);
            break;
          case 'y':
            // Qt knows the two-digit and the four-digit year; a lone y is the full year.
            while (run > 0) {
              const std::size_t n = run >= 4 ? 4 : (run >= 2 ? 2 : 1);
              AppendRun(out, 'y', n == 1 ? 4 : n, 4);
              run -= n;
            }
            break;
          default:
            AppendLiteral(out, std::string(run, letter));
            break;
        }
      });
  return out;
}

QtHourFormat ReadQtTimeFormat(std::string_view qtFormat) {
  QtHourFormat format;
  bool& hourSeen = format.hasHour;
  bool capitalHour = false;
  bool markerSeen = false;
  WalkQtFormat(
      qtFormat, [](std::string_view) {},
      [&](char letter, std::size_t run) {
        if ((letter == 'h' || letter == 'H') && !hourSeen) {
          hourSeen = true;
          capitalHour = letter == 'H';
          format.leadingZero = run >= 2;
        } else if (letter == 'a' || letter == 'A') {
          if (!markerSeen && !hourSeen) format.markerFirst = true;
          markerSeen = true;
        }
      });
  // Qt's H shows 0 to 23 whatever marker follows; h turns 12-hour with a marker.
  format.twelveHour = markerSeen && hourSeen && !capitalHour;
  format.separator = FirstSeparator(qtFormat);
  return format;
}
}  // namespace dorvane::platform
