#include "platform/log_record.h"

namespace tx3::platform {

std::string LogRecord(std::string_view timestamp, std::string_view line, std::string_view lineEnd) {
  std::string record(timestamp);
  for (char c : line) record += c == '\r' || c == '\n' ? ' ' : c;
  record += lineEnd;
  return record;
}

}  // namespace tx3::platform
