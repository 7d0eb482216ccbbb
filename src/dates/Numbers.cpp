#include "dates/Numbers.h"

namespace dorvane {

std::string WholeNumberText(std::int32_t n) { return std::to_string(n); }

}  // namespace dorvane
