#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace dorvane {

// The two memory lines of the About box. Standard library only, so they are tested without a
// window.

// n in decimal, digits grouped by three from the right with sep between groups (any UTF-8
// text, empty for none): 268435 with "." gives "268.435".
std::string GroupedNumberText(std::uint64_t n, std::string_view sep);

// "Mémoire physique totale : 262 144 Ko": the total in KiB, rounded to the nearest (a half
// going up), grouped by three with the user's thousands separator.
std::string PhysicalMemoryText(std::uint64_t totalBytes, std::string_view thousandsSep);

// "Ressources système      : 37% libre.": the free share, 100 less the memory load (taken
// within 0 to 100).
std::string FreeMemoryText(int memoryLoad);

}  // namespace dorvane
