#include "cli/IsoDate.h"

#include "text/Ascii.h"
#include "text/Utf8.h"

namespace dorvane {

namespace {

// The number of `length` digits at text[at...], when they are all there.
std::optional<std::uint16_t> Field(std::string_view text, std::size_t at, std::size_t length) {
  if (at + length > text.size()) return std::nullopt;
  return ReadDigits<std::uint16_t>(text.substr(at, length));
}

bool SeparatorAt(std::string_view text, std::size_t at, char separator) {
  return at < text.size() && text[at] == separator;
}

}  // namespace

std::optional<IsoMoment> ReadIsoMoment(std::string_view text, bool withTime) {
  const auto year = Field(text, 0, 4);
  const auto month = Field(text, 5, 2);
  const auto day = Field(text, 8, 2);
  if (!year || !month || !day || !SeparatorAt(text, 4, '-') || !SeparatorAt(text, 7, '-')) {
    return std::nullopt;
  }
  IsoMoment moment{{*year, *month, *day}, std::nullopt};
  if (text.size() == 10) return moment;
  if (!withTime || (text.size() != 19 && text.size() != 23)) return std::nullopt;
  const auto hour = Field(text, 11, 2);
  const auto minute = Field(text, 14, 2);
  const auto second = Field(text, 17, 2);
  const auto ms = text.size() == 23 ? Field(text, 20, 3) : std::optional<std::uint16_t>(0);
  if (!hour || !minute || !second || !ms || !SeparatorAt(text, 10, 'T') ||
      !SeparatorAt(text, 13, ':') || !SeparatorAt(text, 16, ':') ||
      (text.size() == 23 && !SeparatorAt(text, 19, '.'))) {
    return std::nullopt;
  }
  moment.time = TimeParts{*hour, *minute, *second, *ms};
  return moment;
}

std::optional<std::uint16_t> ReadIsoYear(std::string_view text) {
  if (text.size() != 4) return std::nullopt;
  return Field(text, 0, 4);
}

std::string MalformedMomentMessage(std::string_view text, bool withTime) {
  return std::string(withTime ? "Moment mal formé : " : "Date mal formée : ") + Quoted(text) +
         " (forme attendue : AAAA-MM-JJ" + (withTime ? "[THH:MM:SS[.mmm]]" : "") + ").";
}

std::string MalformedYearMessage(std::string_view text) {
  return "Année mal formée : " + Quoted(text) + " (forme attendue : AAAA).";
}

std::string Quoted(std::string_view text) {
  return "« " + OneLineText(text) + " »";
}

}  // namespace dorvane
