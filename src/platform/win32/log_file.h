// The program's log file on Windows: one time-stamped line per record, bounded by rotation.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>

namespace tx3::platform::win32 {

// TX3_LOG_FILE when set, else %LOCALAPPDATA%\TX3_Setup\TX3_Setup.log; empty when neither is
// known.
std::string LogFilePath();

// "2026-12-08 14:03:07.042 " in local time.
std::string LocalTimestamp();

class LogFile {
 public:
  // Appends "<timestamp> <line>" CR LF (line breaks inside become blanks), making the folder on
  // first use. A file that has reached kLogRotateBytes first becomes "<path>.1", older ones move up
  // to ".3". Any failure is swallowed: the log never disturbs the program.
  void Append(std::string_view line);

 private:
  std::mutex mutex_;
};

}  // namespace tx3::platform::win32
