// One record of the program's log file, as both platforms write it, and how the file is bounded.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tx3::platform {

// A log file that reaches this size becomes "<path>.1" before the next record; older ones move
// up to ".3" and the oldest goes.
inline constexpr int64_t kLogRotateBytes = 1 << 20;
inline constexpr int kLogKeptFiles = 3;

// "<timestamp><line><lineEnd>", the line breaks inside the line turned into blanks so that one
// record is one line.
std::string LogRecord(std::string_view timestamp, std::string_view line, std::string_view lineEnd);

}  // namespace tx3::platform
