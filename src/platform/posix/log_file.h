// The program's log file: one time-stamped line per record, bounded by rotation.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>

namespace tx3::platform::posix {

// TX3_LOG_FILE when set, else $XDG_STATE_HOME/tx3-setup/TX3_Setup.log
// (~/.local/state/tx3-setup/TX3_Setup.log).
std::string LogFilePath();

// "2026-12-08 14:03:07.042 " in local time.
std::string LocalTimestamp();

class LogFile {
 public:
  // Appends "<timestamp> <line>" (line breaks inside become blanks). A file that has reached
  // kLogRotateBytes first becomes "<path>.1", older ones move up to ".3". Any failure is swallowed:
  // the log never disturbs the program.
  void Append(std::string_view line);

 private:
  std::mutex mutex_;
};

}  // namespace tx3::platform::posix
