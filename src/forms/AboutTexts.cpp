#include "forms/AboutTexts.h"

#include "dates/Utf8.h"

namespace dorvane {

std::string FirstCodePoints(std::string_view text, std::size_t count) {
  std::size_t end = 0;
  for (std::size_t n = 0; n < count && end < text.size(); ++n) {
    end += CodePointLength(text, end);
  }
  return std::string(text.substr(0, end));
}

}  // namespace dorvane
