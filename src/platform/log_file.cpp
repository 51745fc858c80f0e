#include "platform/log_file.h"

#include "platform/log_path.h"

namespace tx3::platform {
namespace {

// "<timestamp><line><lineEnd>", the line breaks inside the line turned into blanks so that one
// record is one line.
std::string LogRecord(std::string_view timestamp, std::string_view line, std::string_view lineEnd) {
  std::string record(timestamp);
  for (char c : line) record += c == '\r' || c == '\n' ? ' ' : c;
  record += lineEnd;
  return record;
}

}  // namespace

void LogFile::RotateWhenFull(const std::string& path) {
  if (path.empty() || host_.Size(path) < kLogRotateBytes) return;
  for (int n = kLogKeptFiles - 1; n >= 1; --n) {
    host_.Move(path + "." + std::to_string(n), path + "." + std::to_string(n + 1));
  }
  host_.Move(path, path + ".1");
}

void LogFile::Write(const std::string& path, std::string_view bytes) {
  if (path.empty() || !host_.Append(path, bytes)) ReportLogUnavailable(path);
}

void LogFile::Open() {
  const std::string path = host_.Path();
  const std::lock_guard<std::mutex> lock(mutex_);
  Write(path, {});
}

void LogFile::Append(std::string_view line) {
  const std::string path = host_.Path();
  const std::string record = LogRecord(host_.Timestamp(), line, host_.LineEnd());
  const std::lock_guard<std::mutex> lock(mutex_);
  RotateWhenFull(path);
  Write(path, record);
}

}  // namespace tx3::platform
