// The program's UTF-8 text as Qt text, and Qt's colours as the program's 0xRRGGBB.
#pragma once

#include <QColor>
#include <QString>
#include <string_view>

namespace tx3 {

inline QString QtText(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

inline unsigned Rgb(const QColor& colour) {
  return colour.rgb() & 0xFFFFFFu;
}

}  // namespace tx3
