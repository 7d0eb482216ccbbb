#pragma once

#include <cstdint>
#include <string>

namespace dorvane {

// Decimal digits, "-" before a negative number, no grouping.
std::string WholeNumberText(std::int32_t n);

}  // namespace dorvane
