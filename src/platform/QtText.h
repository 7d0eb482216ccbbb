// Our UTF-8 text as a QString, for every Qt file (Qt targets only); the other way is Qt's own
// QString::toStdString, which gives UTF-8.
#pragma once

#include <QString>
#include <string_view>

namespace dorvane {

inline QString QStringFromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace dorvane
