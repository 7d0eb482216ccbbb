// The one place where our UTF-8 text and Qt's UTF-16 strings meet (Qt targets only).
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace dorvane {

inline QString QStringFromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string Utf8FromQString(const QString& text) {
  const QByteArray bytes = text.toUtf8();
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace dorvane
