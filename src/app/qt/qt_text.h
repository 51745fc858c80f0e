// The program's UTF-8 text as Qt text.
#pragma once

#include <QString>
#include <string_view>

namespace tx3 {

inline QString QtText(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace tx3
