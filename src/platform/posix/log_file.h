// The program's log file: one time-stamped line per record, bounded by rotation.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>

namespace tx3::platform::posix {

// The file named by --log, else TX3_LOG_FILE's, else $XDG_STATE_HOME/tx3-setup/TX3_Setup.log
// (~/.local/state/tx3-setup/TX3_Setup.log): see log_path.h.
std::string LogFilePath();

// "2026-12-08 14:03:07.042 " in local time.
std::string LocalTimestamp();

class LogFile {
 public:
  // Opens the log for appending (making its folder) and closes it, so that a run whose log cannot
  // be opened says so at its start (log_path.h's ReportLogUnavailable, once per run).
  void Open();
  // Appends "<timestamp> <line>" (line breaks inside become blanks). A file that has reached
  // kLogRotateBytes first becomes "<path>.1", older ones move up to ".3". A log that cannot be
  // opened is reported once per run; no failure reaches the caller.
  void Append(std::string_view line);

 private:
  std::mutex mutex_;
};

}  // namespace tx3::platform::posix
