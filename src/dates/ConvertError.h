#pragma once

#include <stdexcept>
#include <string>

namespace dorvane {

// Conversion and date-encoding failures. The message is shown to the user as it stands
// (the error box adds the final full stop).
class EConvertError : public std::runtime_error {
 public:
  explicit EConvertError(const std::string& message) : std::runtime_error(message) {}
};

inline constexpr const char* kDateEncodingMessage = "Argument incorrect pour l'encodage de date";

}  // namespace dorvane
