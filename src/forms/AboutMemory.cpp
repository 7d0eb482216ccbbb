#include "forms/AboutMemory.h"

#include <algorithm>

namespace dorvane {

std::string GroupedNumberText(std::uint64_t n, std::string_view sep) {
  const std::string digits = std::to_string(n);
  std::string text;
  text.reserve(digits.size() + digits.size() / 3 * sep.size());
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) text += sep;
    text += digits[i];
  }
  return text;
}

std::string PhysicalMemoryText(std::uint64_t totalBytes, std::string_view thousandsSep) {
  // In integers: a 64-bit byte count has more digits than a double keeps.
  const std::uint64_t kib = totalBytes / 1024 + (totalBytes % 1024 >= 512 ? 1 : 0);
  return "Mémoire physique totale : " + GroupedNumberText(kib, thousandsSep) + " Ko";
}

std::string FreeMemoryText(int memoryLoad) {
  const int free = 100 - std::clamp(memoryLoad, 0, 100);
  return "Ressources système      : " + std::to_string(free) + "% libre.";
}

}  // namespace dorvane
