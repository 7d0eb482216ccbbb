// Arbitrary bytes into the text conversions of the date core. The first byte picks the
// conversion; the checks below are properties that hold for every input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "dates/ConvertError.h"
#include "dates/DateLocale.h"
#include "dates/Formatting.h"
#include "dates/Numbers.h"
#include "platform/LocaleFormats.h"
#include "text/Utf8.h"

namespace {

using namespace dorvane;

void Check(bool condition) {
  if (!condition) std::abort();
}

void FuzzParseWholeNumber(std::string_view text) {
  const auto tried = TryParseWholeNumber(text);
  try {
    const std::int32_t value = ParseWholeNumber(text);
    Check(tried && *tried == value);
    Check(ParseWholeNumber(WholeNumberText(value)) == value);
  } catch (const EConvertError& e) {
    Check(!tried);
    const std::string expected =
        "'" + std::string(text) + "' n'est pas une valeur entière correcte";
    Check(std::string_view(e.what()) == std::string_view(expected.c_str()));
  }
}

// Splits at NUL bytes: the pattern first, then the locale patterns that tokens expand.
std::vector<std::string_view> Pieces(std::string_view text) {
  std::vector<std::string_view> pieces;
  std::size_t start = 0;
  while (pieces.size() < 5) {
    const std::size_t end = text.find('\0', start);
    pieces.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return pieces;
}

void FuzzFormatDateValue(std::string_view data, bool convertFromQt) {
  double x = 38412.5;
  if (data.size() >= sizeof x) {
    std::memcpy(&x, data.data(), sizeof x);  // any bits: NaN, infinities, far dates
    data.remove_prefix(sizeof x);
  }
  const std::vector<std::string_view> pieces = Pieces(data);
  auto piece = [&](std::size_t i) {
    if (i >= pieces.size()) return std::string();
    return convertFromQt ? platform::PatternFromQtDateFormat(pieces[i]) : std::string(pieces[i]);
  };
  DateLocale locale;
  if (pieces.size() > 1) locale.ShortDatePattern = piece(1);
  if (pieces.size() > 2) locale.LongDatePattern = piece(2);
  if (pieces.size() > 3) locale.ShortTimePattern = piece(3);
  if (pieces.size() > 4) locale.LongTimePattern = piece(4);
  if (!pieces.empty() && !pieces[0].empty()) locale.DateSep = FirstCodePoint(pieces[0]);

  const std::string result = FormatDateValue(piece(0), x, locale);
  Check(CodePointCount(result) <= kFormattedLimit);
  const std::string clock = ClockText(x, locale);
  Check(CodePointCount(clock) <= kFormattedLimit);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view data(reinterpret_cast<const char*>(bytes) + 1, size - 1);
  switch (bytes[0] % 3) {
    case 0:
      FuzzParseWholeNumber(data);
      break;
    case 1:
      FuzzFormatDateValue(data, false);
      break;
    default:
      FuzzFormatDateValue(data, true);
      break;
  }
  return 0;
}
